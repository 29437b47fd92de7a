# The PNG tests compare our reader with libpng's decode of the same files when libpng is there.
find_package(PNG QUIET)
if(PNG_FOUND AND TARGET test_images)
  target_link_libraries(test_images PRIVATE PNG::PNG)
  target_compile_definitions(test_images PRIVATE FW_HAVE_LIBPNG=1)
endif()
