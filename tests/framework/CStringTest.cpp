#include <gtest/gtest.h>
#include "framework/CString.h"
TEST(CString, FormatWide) { CString s; s.Format(L"%s-%d", L"a", 5); EXPECT_EQ(s, L"a-5"); }
