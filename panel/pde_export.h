// Marks the plain functions the plug-in library exports.
#pragma once

#define PDE_EXPORT __attribute__((visibility("default")))
