// Ids of the pictures built into the program as PNG resources (type RCDATA); shared by the
// resource script and the code that loads them.
#pragma once

#define TARNWICK_PNG_CHECK_MARK 201
#define TARNWICK_PNG_MAKER 202
#define TARNWICK_PNG_GOLDEN_FRAME 203
#define TARNWICK_PNG_BALLOON_ICON 210
