// Every class of the headless control model.
#pragma once

#include "toolkit/box.h"
#include "toolkit/button.h"
#include "toolkit/control.h"
#include "toolkit/geometry.h"
#include "toolkit/image_view.h"
#include "toolkit/popup_button.h"
#include "toolkit/segmented_control.h"
#include "toolkit/slider.h"
#include "toolkit/tab_view.h"
#include "toolkit/text_field.h"
#include "toolkit/view.h"
