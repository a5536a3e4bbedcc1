# One line per fuzz target: vl_fuzz_target(<name> <libraries>).
vl_fuzz_target(parser vl_script)
vl_fuzz_target(csv vl_data)
vl_fuzz_target(picture_decoders vl_platform)
vl_fuzz_target(metafile_player vl_platform)
vl_fuzz_target(template vl_model)
vl_fuzz_target(interpreter vl_script)
vl_fuzz_target(printed_views vl_model)
vl_fuzz_target(barcode vl_barcode)
