// Compiled with the include folders of one layer only, to show which headers that layer
// reaches (cmake/Layers.cmake names the header).
#include GLYPHORA_PROBE_HEADER
