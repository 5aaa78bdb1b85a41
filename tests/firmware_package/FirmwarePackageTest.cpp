// The firmware package: bounds of header, tables and images, digests, the
// writers' product rules, the generated samples and the camera split.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "PackageBuilder.h"
#include "dfu/DFUEngine.h"
#include "firmware/FirmwarePackage.h"
#include "framework/File.h"
#include "support/TempFolder.h"

namespace {

constexpr int kHidProduct = 0x6010;

PackageRules ImageRules(int target = kHidProduct, uint32_t minimumImages = 0)
{
    PackageRules rules;
    rules.table = PackageTable::Image;
    rules.product = PackageProductRule::EqualsTarget;
    rules.targetProductId = target;
    rules.minimumImages = minimumImages;
    return rules;
}

PackageRules ShortRules(int target = kHidProduct)
{
    PackageRules rules = ImageRules(target);
    rules.table = PackageTable::Short;
    return rules;
}

std::vector<BuiltImage> ThreeImages()
{
    return {{0, 1, PatternBytes(1, 3000)}, {2, 2, PatternBytes(2, 1019)}, {1, 3, PatternBytes(3, 1020)}};
}

PackageResult CheckBytes(std::vector<uint8_t> bytes, const PackageRules& rules)
{
    FirmwarePackage package;
    const PackageResult loaded = package.LoadBytes(std::move(bytes));
    return loaded != PackageResult::Ok ? loaded : package.Check(rules);
}

std::vector<uint8_t> HeaderOnly(uint32_t product, uint32_t count)
{
    std::vector<uint8_t> bytes(kPackageHeaderSize);
    PutWord(bytes, 0x1C, product);
    PutWord(bytes, 0x20, count);
    return bytes;
}

CString SamplePath(const wchar_t* name)
{
    return CString(L"Z:") + CString::FromUtf8(TORVIK_SAMPLE_PACKAGES) + L"\\" + name;
}

std::string FileBytes(const wchar_t* path)
{
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(path, bytes)) << CString(path).ToUtf8();
    return bytes;
}

TEST(FirmwarePackage, HeaderAndTableBounds)
{
    const std::vector<uint8_t> valid = BuildPackage(kHidProduct, ThreeImages());
    const size_t imageTableEnd = ImageEntryAt(3, 3);
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        PackageRules rules;
        PackageResult expected;
    };
    const Case cases[] = {
        {"empty", {}, ImageRules(), PackageResult::TooShort},
        {"35 bytes", std::vector<uint8_t>(35), ImageRules(), PackageResult::TooShort},
        {"header with no image", HeaderOnly(kHidProduct, 0), ImageRules(), PackageResult::NoImageBytes},
        {"one image, no table", HeaderOnly(kHidProduct, 1), ImageRules(), PackageResult::TableOutsideFile},
        {"count 0xFFFFFFFF", HeaderOnly(kHidProduct, 0xFFFFFFFF), ShortRules(), PackageResult::TableOutsideFile},
        {"image table one byte short", std::vector<uint8_t>(valid.begin(), valid.begin() + imageTableEnd - 1),
         ImageRules(), PackageResult::TableOutsideFile},
        {"image table complete, images cut", std::vector<uint8_t>(valid.begin(), valid.begin() + imageTableEnd),
         ImageRules(), PackageResult::ImageOutsideFile},
        {"last image one byte short", std::vector<uint8_t>(valid.begin(), valid.end() - 1), ImageRules(),
         PackageResult::ImageOutsideFile},
        {"whole package", valid, ImageRules(), PackageResult::Ok},
        {"whole package by its short entries", valid, ShortRules(), PackageResult::Ok},
        {"three images required and present", valid, ImageRules(kHidProduct, 3), PackageResult::Ok},
        {"four images required", valid, ImageRules(kHidProduct, 4), PackageResult::TooFewImages},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, CheckBytes(c.bytes, c.rules)) << c.what;
}

TEST(FirmwarePackage, ImageRangesAreCheckedInSixtyFourBits)
{
    const std::vector<uint8_t> valid = BuildPackage(kHidProduct, {{0, 1, PatternBytes(4, 64)}});
    const uint32_t size = static_cast<uint32_t>(valid.size());
    struct Case {
        const char* what;
        uint32_t offset;
        uint32_t length;
        PackageResult expected;
    };
    const Case cases[] = {
        {"ends at the end of the file", size - 64, 64, PackageResult::Ok},
        {"one byte past the end", size - 63, 64, PackageResult::ImageOutsideFile},
        {"offset wraps 32 bits", 0xFFFFFF00u, 0x200, PackageResult::ImageOutsideFile},
        {"size wraps 32 bits", 40, 0xFFFFFFF0u, PackageResult::ImageOutsideFile},
        {"both at the maximum", 0xFFFFFFFFu, 0xFFFFFFFFu, PackageResult::ImageOutsideFile},
    };
    for (const Case& c : cases) {
        for (PackageTable table : {PackageTable::Short, PackageTable::Image}) {
            std::vector<uint8_t> bytes = valid;
            const size_t entry = table == PackageTable::Short ? ShortEntryAt(0) : ImageEntryAt(1, 0);
            PutWord(bytes, entry + 8, c.offset);
            PutWord(bytes, entry + 12, c.length);
            PackageRules rules = ImageRules();
            rules.table = table;
            EXPECT_EQ(c.expected, CheckBytes(bytes, rules)) << c.what;
        }
    }
}

TEST(FirmwarePackage, EveryImageDigestIsCheckedBeforeAnyIsHandedOut)
{
    const std::vector<uint8_t> valid = BuildPackage(kHidProduct, ThreeImages());
    size_t imageStart = ImageEntryAt(3, 3);
    for (const BuiltImage& image : ThreeImages()) {
        std::vector<uint8_t> bytes = valid;
        bytes[imageStart + image.bytes.size() / 2] ^= 0x40;
        FirmwarePackage package;
        ASSERT_EQ(PackageResult::Ok, package.LoadBytes(bytes));
        EXPECT_EQ(PackageResult::DigestMismatch, package.Check(ImageRules()));
        EXPECT_FALSE(package.Checked());
        EXPECT_TRUE(package.ImageBytes(package.Entry(0)).empty());
        imageStart += image.bytes.size();
    }
    // A wrong digest in the short table does not matter to the image entries' readers.
    std::vector<uint8_t> shortDigestWrong = valid;
    shortDigestWrong[ShortEntryAt(1) + 0x10] ^= 0xFF;
    EXPECT_EQ(PackageResult::Ok, CheckBytes(shortDigestWrong, ImageRules()));
    EXPECT_EQ(PackageResult::DigestMismatch, CheckBytes(shortDigestWrong, ShortRules()));
}

TEST(FirmwarePackage, CheckedPackageHandsOutEntriesAndTheirBytes)
{
    const std::vector<BuiltImage> images = ThreeImages();
    FirmwarePackage package;
    ASSERT_EQ(PackageResult::Ok, package.LoadBytes(BuildPackage(kHidProduct, images)));
    EXPECT_TRUE(package.ImageBytes(package.Entry(0)).empty());  // not checked yet
    ASSERT_EQ(PackageResult::Ok, package.Check(ImageRules()));
    EXPECT_EQ(static_cast<uint32_t>(kHidProduct), package.ProductId());
    ASSERT_EQ(3u, package.ImageCount());
    for (uint32_t i = 0; i < 3; ++i) {
        const PackageEntry entry = package.Entry(i);
        EXPECT_EQ(images[i].target, entry.target);
        EXPECT_EQ(images[i].type, entry.type);
        EXPECT_EQ(2u, entry.versionMajor);
        EXPECT_EQ(7u, entry.versionMinor);
        const std::span<const uint8_t> bytes = package.ImageBytes(entry);
        EXPECT_EQ(images[i].bytes, std::vector<uint8_t>(bytes.begin(), bytes.end()));
    }
    EXPECT_EQ(0u, package.Entry(3).size);  // past the count
    EXPECT_TRUE(package.HasTarget(kImageTargetFirstWithFinish));
    EXPECT_TRUE(package.HasTarget(kImageTargetSecondWithFinish));
    EXPECT_FALSE(package.HasTarget(5));
}

// An empty image is checked against the digest of the empty message; it may
// stand beside images with bytes, but not alone.
TEST(FirmwarePackage, EmptyImageIsTheEmptyMessage)
{
    const std::vector<BuiltImage> images = {{0, 1, {}}, {2, 2, PatternBytes(2, 10)}};
    EXPECT_EQ(PackageResult::Ok, CheckBytes(BuildPackage(kHidProduct, images), ImageRules()));
    std::vector<uint8_t> bytes = BuildPackage(kHidProduct, images);
    bytes[ImageEntryAt(2, 0) + 0x128] ^= 1;
    EXPECT_EQ(PackageResult::DigestMismatch, CheckBytes(bytes, ImageRules()));
    EXPECT_EQ(PackageResult::NoImageBytes, CheckBytes(BuildPackage(kHidProduct, {{0, 1, {}}}), ImageRules()));
}

TEST(FirmwarePackage, ProductRulesOfTheWriters)
{
    struct Case {
        PackageProductRule rule;
        uint32_t packageProduct;
        int target;
        bool accepted;
    };
    const Case cases[] = {
        {PackageProductRule::EqualsTarget, 0x6010, 0x6010, true},
        {PackageProductRule::EqualsTarget, 0x6012, 0x6010, false},
        {PackageProductRule::EqualsTarget, 0, 0x4210, false},
        {PackageProductRule::EqualsTarget, 0xFFFFFFFF, -1, false},
        {PackageProductRule::RevisionChecked, 0, 0x4210, true},
        {PackageProductRule::RevisionChecked, 0x4210, 0x4210, true},
        {PackageProductRule::RevisionChecked, 0x4220, 0x4210, true},
        {PackageProductRule::RevisionChecked, 0x4310, 0x4210, false},
        {PackageProductRule::NotChecked, 0x1234, 0x4310, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.accepted, PackageProductAccepted(c.rule, c.packageProduct, c.target))
            << std::hex << c.packageProduct << " for " << c.target;
        PackageRules rules = ImageRules(c.target);
        rules.product = c.rule;
        const PackageResult result = CheckBytes(BuildPackage(c.packageProduct, ThreeImages()), rules);
        EXPECT_EQ(c.accepted ? PackageResult::Ok : PackageResult::WrongProduct, result);
    }
}

TEST(FirmwarePackage, GeneratedSamples)
{
    struct Case {
        const wchar_t* file;
        PackageRules rules;
        PackageResult expected;
    };
    PackageRules v40 = ImageRules(0x4210);
    v40.product = PackageProductRule::RevisionChecked;
    const Case cases[] = {
        {L"hid_valid.img", ImageRules(kHidProduct, 3), PackageResult::Ok},
        {L"hid_corrupt.img", ImageRules(kHidProduct), PackageResult::DigestMismatch},
        {L"hid_wrong_model.img", ImageRules(kHidProduct), PackageResult::WrongProduct},
        {L"v40_valid.img", v40, PackageResult::Ok},
        {L"v40_valid.img", ImageRules(0x4210), PackageResult::WrongProduct},
        {L"camera.img", ShortRules(kActionCameraProductId), PackageResult::Ok},
        {L"camera_corrupt.img", ShortRules(kActionCameraProductId), PackageResult::DigestMismatch},
    };
    for (const Case& c : cases) {
        FirmwarePackage package;
        ASSERT_EQ(PackageResult::Ok, package.Load(SamplePath(c.file))) << CString(c.file).ToUtf8();
        EXPECT_EQ(c.expected, package.Check(c.rules)) << CString(c.file).ToUtf8();
        EXPECT_EQ(static_cast<int64_t>(package.Size()), CountFileBytes(SamplePath(c.file)));
    }
    FirmwarePackage missing;
    EXPECT_EQ(PackageResult::CannotOpen, missing.Load(SamplePath(L"missing.img")));
    EXPECT_EQ(-1, CountFileBytes(SamplePath(L"missing.img")));
    EXPECT_EQ(PackageResult::NotLoaded, missing.Check(ImageRules()));
}

class CameraSplit : public ::testing::Test {
protected:
    CString Part(const wchar_t* name) const { return m_folder.Path() + L"\\IMG\\" + name; }
    CString Folder() const { return m_folder.Path() + L"\\IMG\\"; }
    void PlantStaleParts()
    {
        EnsureFolder(Folder());
        ASSERT_TRUE(WriteWholeFile(Part(kCameraBluetoothPartName), std::string("stale")));
        ASSERT_TRUE(WriteWholeFile(Part(kCameraFirmwarePartName), std::string("stale")));
    }
    bool NoParts() const
    {
        return !CFile::Exists(Part(kCameraBluetoothPartName)) && !CFile::Exists(Part(kCameraFirmwarePartName));
    }

    TempFolder m_folder{L"split"};
};

TEST_F(CameraSplit, WritesBothPartsAndNamesTheBluetoothPart)
{
    PlantStaleParts();
    CString bluetooth;
    ASSERT_EQ(PackageResult::Ok, SplitCameraPackage(SamplePath(L"camera.img"), Folder(), &bluetooth));
    EXPECT_EQ(Part(kCameraBluetoothPartName), bluetooth);

    FirmwarePackage package;
    ASSERT_EQ(PackageResult::Ok, package.Load(SamplePath(L"camera.img")));
    ASSERT_EQ(PackageResult::Ok, package.Check(ShortRules(kActionCameraProductId)));
    const wchar_t* parts[] = {kCameraBluetoothPartName, kCameraFirmwarePartName};
    for (uint32_t i = 0; i < 2; ++i) {
        const std::span<const uint8_t> image = package.ImageBytes(package.Entry(i));
        EXPECT_EQ(std::string(image.begin(), image.end()), FileBytes(Part(parts[i])));
        EXPECT_FALSE(CFile::Exists(Part(parts[i]) + L".tmp"));
    }
    EXPECT_EQ("LUMEN#3020", FileBytes(bluetooth).substr(16, 10));
    EXPECT_TRUE(DFUEngine::IsDFUFileValid(bluetooth.str().c_str()));  // the library takes the part
}

TEST_F(CameraSplit, RefusedPackagesLeaveNoPartBehind)
{
    struct Case {
        const wchar_t* file;
        PackageResult expected;
    };
    const Case cases[] = {
        {L"camera_corrupt.img", PackageResult::DigestMismatch},  // the second image's digest
        {L"camera_one_image.img", PackageResult::TooFewImages},
        {L"hid_valid.img", PackageResult::WrongProduct},
    };
    for (const Case& c : cases) {
        PlantStaleParts();
        CString bluetooth = L"unchanged";
        EXPECT_EQ(c.expected, SplitCameraPackage(SamplePath(c.file), Folder(), &bluetooth));
        EXPECT_EQ(L"unchanged", bluetooth);
        EXPECT_TRUE(NoParts()) << CString(c.file).ToUtf8();
    }
}

TEST_F(CameraSplit, PartThatCannotBeWrittenFailsTheSplit)
{
    PlantStaleParts();
    // A folder in the place of the camera part: it can be neither replaced nor written.
    ASSERT_TRUE(CFile::Remove(Part(kCameraFirmwarePartName)));
    ASSERT_TRUE(::CreateDirectoryW(Part(kCameraFirmwarePartName), nullptr));
    CString bluetooth;
    EXPECT_EQ(PackageResult::CannotWritePart, SplitCameraPackage(SamplePath(L"camera.img"), Folder(), &bluetooth));
    EXPECT_FALSE(CFile::Exists(Part(kCameraBluetoothPartName)));
    EXPECT_TRUE(bluetooth.IsEmpty());
}

TEST_F(CameraSplit, MissingFolderIsCreated)
{
    CString bluetooth;
    ASSERT_EQ(PackageResult::Ok, SplitCameraPackage(SamplePath(L"camera.img"), Folder(), &bluetooth));
    EXPECT_TRUE(CFile::Exists(Part(kCameraFirmwarePartName)));
}

}  // namespace
