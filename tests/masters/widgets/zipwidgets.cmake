# vendara_add_masters_widget_test(test_zip_widgets ...)
