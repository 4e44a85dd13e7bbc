#pragma once

// Registers the common control classes named by `classes` (ICC_ flags). The program does not
// import comctl32, which is not a KnownDLL: it is loaded here, after the library search is
// restricted, and the manifest still makes it version 6. False when comctl32 or its entry point
// cannot be had, or the registration fails.
bool InitCommonControlClasses(unsigned long classes);
