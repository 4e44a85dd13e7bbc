#pragma once

// The driver package the build makes for these tests (see CMakeLists.txt): it registers its one
// driver under a key of its own, so that it never shows in the real drivers list.
constexpr const char* kTestPackageFile = "calvorn-platform-test.msi";
constexpr const char* kTestPackageCode = "{C41F0A2E-5B8D-4E31-9A57-3D2B6E8F1A01}";
constexpr const char* kTestPackageKey = "SOFTWARE\\Velmora\\IVI\\CalvornTest-Installer";

// A library beside the test program with msi.dll's entry points, each returning kPlantedResult.
constexpr const char* kPlantedLibrary = "calvorn-planted-msi.dll";
constexpr int kPlantedResult = 4242;
