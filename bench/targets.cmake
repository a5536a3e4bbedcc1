# One line per benchmark: vl_benchmark(<name> <libraries>).
vl_benchmark(interpreter vl_script)
