# One line per benchmark: vl_benchmark(<name> <libraries>).
vl_benchmark(parser vl_script)
vl_benchmark(datasets vl_build SQLite::SQLite3)
