#pragma once

// Keeps DLLs planted beside the executable out of this elevated process: the search for DLLs is
// restricted to the system directory and the DLLs that system code loads by bare name are loaded
// from there at once. Every program's entry calls it first, before anything that may load a DLL.
void HardenLibrarySearch();
