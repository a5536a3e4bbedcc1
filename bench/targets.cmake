# One line per benchmark: vl_benchmark(<name> <libraries>).
vl_benchmark(parser vl_script)
vl_benchmark(interpreter vl_script)
