# target_sources(vendara_masters_widgets PRIVATE ...)
