// The editor's version, major and minor: the program's version resource, its
// About box and crash record, and the File table of its package all take it
// from here. Plain definitions only: the resource compiler and the package
// build read this file too.
#pragma once

#define KIV_VERSION_MAJOR 2
#define KIV_VERSION_MINOR 3
