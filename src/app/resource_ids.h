// Resource ids shared by glimwell.rc and the code.
#pragma once

#define IDI_GLIMWELL 1
