# One line per benchmark: vl_benchmark(<name> <libraries>).
vl_benchmark(datasets vl_build SQLite::SQLite3)
