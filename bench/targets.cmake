# One line per benchmark: vl_benchmark(<name> <libraries>).
vl_benchmark(template_stream vl_model)
