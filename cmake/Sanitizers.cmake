# QVX_SANITIZE is handed straight to -fsanitize=; the presets set it.
if(QVX_SANITIZE)
  add_compile_options(-fsanitize=${QVX_SANITIZE} -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=${QVX_SANITIZE})
  if(QVX_SANITIZE MATCHES "undefined")
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
endif()
