# One line per fuzz target: vl_fuzz_target(<name> <libraries>).
vl_fuzz_target(parser vl_script)
vl_fuzz_target(interpreter vl_script)
