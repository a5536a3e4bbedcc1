# One line per benchmark: vl_benchmark(<name> <libraries>).
vl_benchmark(view_draw vl_model vl_platform_qt)
