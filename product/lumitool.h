// Lumitool.dll: the product's library. It reads the category list files the
// setup writes beside the program ("Photos.dat", then "Bkgnds.dat").
#pragma once
#include <windows.h>

#ifdef LUMITOOL_BUILD
#define LUMITOOL_API __declspec(dllexport)
#else
#define LUMITOOL_API __declspec(dllimport)
#endif

struct LumiCategoryItem {
  char folder[MAX_PATH];  // the category's picture folder
  char name[60];
};

// Reads both lists in folder (a path ending in a backslash) into items, at
// most max of them (items may be null when max is 0): the number of
// categories the two lists hold, which may be more than max (call again
// with room for all), or -1 with why (NUL-terminated, at most whySize bytes)
// naming the file and what is wrong with it.
extern "C" LUMITOOL_API int WINAPI LumiReadCategoryLists(const char* folder, LumiCategoryItem* items, int max,
                                                         char* why, int whySize);
