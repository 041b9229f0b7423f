#include <gtest/gtest.h>

#include <algorithm>

#include "command_line.h"
#include "scratch.h"
#include "wide_text.h"
#include "windows_services.h"

namespace tarvo::testing {
namespace {

using win32::Widen;

TEST(CommandLine, TheTextAfterTheProgramsName) {
    struct Case { const wchar_t* line; const wchar_t* tail; };
    const Case cases[] = {
        {L"\"C:\\Program Files\\Tarvo\\Tarvo.exe\" \"C:\\Emu\\zsnesw.exe\"", L"\"C:\\Emu\\zsnesw.exe\""},
        {L"Tarvo.exe C:\\My Emus\\fceu.exe", L"C:\\My Emus\\fceu.exe"},
        {L"Tarvo.exe   \t C:\\a.exe  ", L"C:\\a.exe  "},
        {L"\"C:\\Tarvo\\Tarvo.exe\"", L""},
        {L"\"C:\\Tarvo\\Tarvo.exe\"x y", L"y"},
        {L"\"unterminated", L""},
        {L"", L""},
        {L"Tarvo.exe \"", L"\""},
    };
    for (const auto& c : cases) EXPECT_EQ(win32::CommandLineTail(c.line), c.tail) << win32::Narrow(c.line);
}

TEST(Settings, ReadFromTheRegistryWithoutDefaults) {
    win32::WindowsEnvironment environment;
    EXPECT_EQ(environment.settingsKey, L"Software\\VB and VBA Program Settings\\Tarvo\\Settings");
    environment.settingsKey = L"Software\\Tarvo Tests\\Settings";
    ClearSettings(environment.settingsKey);
    WriteSetting(environment.settingsKey, "roms", "D:\\Röms, \"all\"");
    WriteSetting(environment.settingsKey, "emu", "");
    win32::WindowsServices services(environment);
    EXPECT_EQ(services.ReadSetting("roms"), "D:\\Röms, \"all\"");
    EXPECT_EQ(services.ReadSetting("emu"), "");
    EXPECT_EQ(services.ReadSetting("shots"), std::nullopt);
    ClearSettings(environment.settingsKey);
}

TEST(Folders, OnePassWithKindsAndHiddenOrSystemFiles) {
    Scratch s;
    s.Write("roms\\a.nes", "x");
    s.Write("roms\\ゲーム Ülkü.nes", "x");
    s.Write("roms\\hidden.nes", "x");
    s.Write("roms\\system.nes", "x");
    s.Write("roms\\readonly.nes", "x");
    s.Write("roms\\empty.nes", "");
    s.Write("roms\\sub.nes\\inner.nes", "x");
    SetFileAttributesW(Widen(s / "roms\\hidden.nes").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(Widen(s / "roms\\system.nes").c_str(), FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesW(Widen(s / "roms\\readonly.nes").c_str(), FILE_ATTRIBUTE_READONLY);

    win32::WindowsServices services{win32::WindowsEnvironment{}};
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(services.ListFolder(s / "roms", entries));
    auto find = [&](const std::string& name) {
        return std::find_if(entries.begin(), entries.end(), [&](auto& e) { return e.name == name; });
    };
    EXPECT_EQ(entries.size(), 7u);
    ASSERT_NE(find("ゲーム Ülkü.nes"), entries.end());
    EXPECT_FALSE(find("ゲーム Ülkü.nes")->hidden);
    EXPECT_TRUE(find("hidden.nes")->hidden);
    EXPECT_TRUE(find("system.nes")->hidden);
    EXPECT_FALSE(find("readonly.nes")->hidden);
    EXPECT_EQ(find("sub.nes")->kind, FolderEntry::Kind::Folder);

    EXPECT_FALSE(services.ListFolder(s / "missing", entries));
    EXPECT_EQ(services.FirstOrdinaryFile(s / "roms\\sub.nes\\"), "inner.nes");
    EXPECT_EQ(services.FirstOrdinaryFile(s / "missing\\"), "");
    EXPECT_EQ(services.FileLength(s / "roms\\ゲーム Ülkü.nes"), 1u);
    EXPECT_EQ(services.FileLength(s / "roms\\empty.nes"), 0u);
    EXPECT_EQ(services.FileLength(s / "roms\\sub.nes"), std::nullopt);
    SetFileAttributesW(Widen(s / "roms\\readonly.nes").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(VersionInformation, DescribesTarvo) {
    const std::wstring exe = Widen(FromBuildPath(TARVO_EXE));
    DWORD ignored = 0;
    std::string block(GetFileVersionInfoSizeW(exe.c_str(), &ignored), '\0');
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    auto value = [&](const wchar_t* name) {
        wchar_t* text = nullptr;
        UINT length = 0;
        const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (!VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length)) return std::string();
        return win32::Narrow(text);
    };
    EXPECT_EQ(value(L"FileVersion"), "1.00");
    EXPECT_EQ(value(L"ProductVersion"), "1.00");
    EXPECT_EQ(value(L"FileDescription"), "Generic Frontend");
    EXPECT_EQ(value(L"Comments"), "Tarvo - Generic Front End for Emulators");
    EXPECT_EQ(value(L"InternalName"), "Tarvo");
    EXPECT_EQ(value(L"OriginalFilename"), "Tarvo.exe");
    EXPECT_NE(ExtractIconW(GetModuleHandleW(nullptr), exe.c_str(), 0), nullptr);
}

}  // namespace
}  // namespace tarvo::testing
