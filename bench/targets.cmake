# One line per benchmark: vl_benchmark(<name> <libraries>).
vl_benchmark(parser vl_script)
vl_benchmark(datasets vl_data SQLite::SQLite3)
vl_benchmark(view_draw vl_model vl_platform_qt)
vl_benchmark(template_stream vl_model)
vl_benchmark(memo_layout vl_model vl_platform_qt)
vl_benchmark(interpreter vl_script)
vl_benchmark(dictionary vl_data)
vl_benchmark(barcode vl_barcode)
