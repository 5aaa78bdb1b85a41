// The framework in one include.
#pragma once

#include "framework/BitmapButton.h"
#include "framework/CString.h"
#include "framework/Clock.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/File.h"
#include "framework/FileDialog.h"
#include "framework/Gdi.h"
#include "framework/Geometry.h"
#include "framework/ImageList.h"
#include "framework/Internet.h"
#include "framework/Menu.h"
#include "framework/Shell.h"
#include "framework/Sync.h"
#include "framework/Time.h"
#include "framework/Wnd.h"
