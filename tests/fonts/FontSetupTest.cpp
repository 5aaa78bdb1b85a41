// The fonts the program draws with come from the set-up, not from the host:
// the dialog face resolves to Tahoma, regular and bold (where the locale lets
// it stand for Tahoma), and Chinese, Japanese and Korean characters drawn in
// it show real glyphs, not the missing-glyph box, also in an edit control,
// which draws through the script shaper and its fallback faces rather than
// the font links.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "framework/CString.h"
#include "framework/Gdi.h"
#include "support/DrawnText.h"

namespace {

const char kSetupHint[] =
    "\nscripts/setup puts tahoma.ttf and tahomabd.ttf (package fonts-wine) into the prefix's "
    "drive_c/windows/Fonts, links \"Tahoma\" and \"Tahoma Bold\" to WenQuanYi Micro Hei "
    "(package fonts-wqy-microhei) and makes the shaper's fallback faces stand for it; an "
    "existing prefix takes a change when PREFIX_SETTINGS in scripts/common.sh is raised";

std::string Utf8(const std::wstring& text) { return CString(text.c_str()).ToUtf8(); }

// One character at a time on a white square, and the names of the font file
// that the font mapper chose.
class Canvas {
public:
    bool Ready() const { return m_canvas.Ready(); }

    // The pixels of one character drawn in font.
    std::vector<DWORD> Draw(HFONT font, wchar_t character)
    {
        m_canvas.Clear();
        CSelectObject select(m_canvas.Dc(), font);
        ::TextOutW(m_canvas.Dc(), 4, 4, &character, 1);
        return m_canvas.Pixels();
    }

    struct Names {
        std::wstring family;
        std::wstring full;
    };
    Names NamesOf(HFONT font) const
    {
        CSelectObject select(m_canvas.Dc(), font);
        const UINT size = ::GetOutlineTextMetricsW(m_canvas.Dc(), 0, nullptr);
        if (size < sizeof(OUTLINETEXTMETRICW)) return {};
        std::vector<char> buffer(size);
        auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
        if (!::GetOutlineTextMetricsW(m_canvas.Dc(), size, metrics)) return {};
        auto text = [&](PSTR offset) {
            const uintptr_t at = reinterpret_cast<uintptr_t>(offset);
            return at < size ? std::wstring(reinterpret_cast<const wchar_t*>(buffer.data() + at)) : std::wstring();
        };
        return {text(metrics->otmpFamilyName), text(metrics->otmpFullName)};
    }

private:
    TextCanvas m_canvas{40, 40};
};

// An edit control in the dialog face showing one character, printed into a
// white canvas.
std::vector<DWORD> DrawInEdit(HFONT font, wchar_t character)
{
    TextCanvas canvas(60, 30);
    HWND edit = ::CreateWindowExW(0, L"EDIT", nullptr, WS_POPUP | ES_CENTER | ES_READONLY, 0, 0, 60, 30, nullptr,
                                  nullptr, nullptr, nullptr);
    if (!edit || !canvas.Ready()) return {};
    ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const wchar_t text[2] = {character, 0};
    ::SetWindowTextW(edit, text);
    canvas.Clear();
    ::SendMessageW(edit, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    ::DestroyWindow(edit);
    return canvas.Pixels();
}

struct Weight {
    int value;
    const char* name;
};
constexpr Weight kWeights[] = {{FW_NORMAL, "regular"}, {FW_BOLD, "bold"}};

// A locale that gives the dialog face a face of its own (the Japanese) draws
// the program in that, as such a system does; the set-up's Tahoma is then
// asked for by its name.
TEST(FontSetup, DialogFaceIsTahomaInBothWeights)
{
    Canvas canvas;
    const wchar_t* const face = DialogFaceIsTahoma() ? kDialogFace : L"Tahoma";
    for (const Weight& weight : kWeights) {
        CFont font;
        ASSERT_TRUE(font.CreateFont(-12, weight.value, face));
        const Canvas::Names names = canvas.NamesOf(font);
        SCOPED_TRACE(weight.name);
        EXPECT_NE(names.family.find(L"Tahoma"), std::wstring::npos)
            << Utf8(face) << " resolves to \"" << Utf8(names.full) << "\", not Tahoma" << kSetupHint;
        // Without tahomabd.ttf bold text is Tahoma made bold by the rasteriser,
        // wider and blurred.
        if (weight.value == FW_BOLD) {
            EXPECT_NE(names.full.find(L"Bold"), std::wstring::npos)
                << "bold dialog text comes from \"" << Utf8(names.full) << "\", not Tahoma Bold" << kSetupHint;
        }
    }
}

// A character that no font has is drawn as the missing-glyph box; Chinese,
// Japanese and Korean characters must come out differently, in both weights.
TEST(FontSetup, ChineseJapaneseAndKoreanShowInTheDialogFace)
{
    Canvas canvas;
    ASSERT_TRUE(canvas.Ready());
    const struct {
        const char* script;
        wchar_t character;
    } samples[] = {
        {"Chinese", L'\u4E2D'},   // the first character of "Chinese" in Chinese
        {"Japanese", L'\u3042'},  // hiragana a
        {"Korean", L'\uD55C'},    // the first syllable of "Korean" in Korean
    };
    constexpr wchar_t kNoFontHasIt = L'\uFFFF';  // not a character
    for (const Weight& weight : kWeights) {
        CFont font;
        ASSERT_TRUE(font.CreateFont(-12, weight.value, kDialogFace));
        const std::vector<DWORD> box = canvas.Draw(font, kNoFontHasIt);
        const std::vector<DWORD> blank = canvas.Draw(font, L' ');
        for (const auto& sample : samples) {
            const std::vector<DWORD> drawn = canvas.Draw(font, sample.character);
            EXPECT_TRUE(drawn != box) << sample.script << " in the " << weight.name
                                  << " dialog face shows as the missing-glyph box" << kSetupHint;
            EXPECT_TRUE(drawn != blank) << sample.script << " in the " << weight.name << " dialog face draws nothing";
        }
    }
}

// The edit control shapes its text and takes missing glyphs from the shaper's
// fallback face, not from the font links: that face must stand for a font that
// has them. Missing glyphs of any fallback come out as one box, so two
// characters of each script must differ.
TEST(FontSetup, ChineseJapaneseAndKoreanShowInAnEditControl)
{
    CFont font;
    ASSERT_TRUE(font.CreateFont(-12, FW_NORMAL, kDialogFace));
    const std::vector<DWORD> box = DrawInEdit(font, L'\uFFFF');
    ASSERT_FALSE(box.empty());
    const struct {
        const char* script;
        wchar_t first, second;
    } samples[] = {
        {"Chinese", L'\u7A7A', L'\u4E2D'},   // "empty", "middle"
        {"Japanese", L'\u3042', L'\u3044'},  // hiragana a, i
        {"Korean", L'\uD55C', L'\uAE00'},    // han, geul
    };
    for (const auto& sample : samples) {
        const std::vector<DWORD> first = DrawInEdit(font, sample.first);
        EXPECT_TRUE(first != box && first != DrawInEdit(font, sample.second))
            << sample.script << " in an edit control shows as the missing-glyph box" << kSetupHint;
    }
}

}  // namespace
