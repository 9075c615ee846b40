# -Wall -Wextra everywhere; -Werror when QVX_WERROR is on (CI and the test script).
add_compile_options(-Wall -Wextra)
if(QVX_WERROR)
  add_compile_options(-Werror)
endif()
