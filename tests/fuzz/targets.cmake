# One line per fuzz target: vl_fuzz_target(<name> <libraries>).
