# One line per benchmark: vl_benchmark(<name> <libraries>).
