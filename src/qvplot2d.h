#pragma once

// Every public header of the library.

#include "framework/qvclasses.h"
#include "framework/qvclipbrd.h"
#include "framework/qvcontrols.h"
#include "framework/qvdb.h"
#include "framework/qvdialogs.h"
#include "framework/qvexceptions.h"
#include "framework/qvforms.h"
#include "framework/qvframeworktypes.h"
#include "framework/qvprinters.h"
#include "framework/qvstreams.h"
#include "framework/qvstringlist.h"
#include "strings/qvlocalize.h"
