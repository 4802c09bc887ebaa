# The sample assemblies built into Sledway, the default first. Each name is a file
# examples/<name>.json.
set(SLEDWAY_SAMPLE_NAMES cart helix slot lift pass coil)

# Generates `output`, a source file that defines SampleTexts() with the text of every sample,
# read when the program is built: the program never opens these files itself.
function(sledway_embed_samples output)
  set(inputs "")
  foreach(name IN LISTS SLEDWAY_SAMPLE_NAMES)
    list(APPEND inputs ${PROJECT_SOURCE_DIR}/examples/${name}.json)
  endforeach()
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} "-DNAMES=${SLEDWAY_SAMPLE_NAMES}"
            -DSOURCE_DIR=${PROJECT_SOURCE_DIR}/examples
            -P ${PROJECT_SOURCE_DIR}/examples/embed_samples.cmake
    DEPENDS ${inputs} ${PROJECT_SOURCE_DIR}/examples/embed_samples.cmake
    COMMENT "Embedding the sample assemblies"
    VERBATIM)
endfunction()
