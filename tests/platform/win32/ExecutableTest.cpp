// The shipped executable carries its icon, manifest and version record.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Executable, CarriesIconManifestAndVersionRecord) {
  HMODULE exe = LoadLibraryExA(ZARVO_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr) << ZARVO_EXE;
  EXPECT_NE(FindResourceA(exe, MAKEINTRESOURCEA(101), MAKEINTRESOURCEA(14)), nullptr) << "icon group 101";

  HRSRC manifestInfo = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(manifestInfo, nullptr);
  const char* manifest = static_cast<const char*>(LockResource(LoadResource(exe, manifestInfo)));
  const std::string manifestText(manifest, SizeofResource(exe, manifestInfo));
  EXPECT_NE(manifestText.find("name=\"Zarvo\" version=\"1.0.0.0\" processorArchitecture=\"X86\""), std::string::npos);
  EXPECT_NE(manifestText.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);

  // Icons of the group: 16, 32 and 48 pixels.
  for (int size : {16, 32, 48}) {
    HICON icon = static_cast<HICON>(LoadImageA(exe, MAKEINTRESOURCEA(101), IMAGE_ICON, size, size, 0));
    ICONINFO info = {};
    ASSERT_TRUE(icon && GetIconInfo(icon, &info)) << size;
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
  FreeLibrary(exe);

  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(ZARVO_EXE, &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> version(size);
  ASSERT_TRUE(GetFileVersionInfoA(ZARVO_EXE, 0, size, version.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(version.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0u);
  EXPECT_EQ(fixed->dwFileVersionLS, 1u);
  EXPECT_EQ(fixed->dwProductVersionLS, 1u);
  char* text = nullptr;
  ASSERT_TRUE(VerQueryValueA(version.data(), "\\StringFileInfo\\040904b0\\ProductName",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_STREQ(text, "Zarvo");
  ASSERT_TRUE(VerQueryValueA(version.data(), "\\StringFileInfo\\040904b0\\FileVersion",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_STREQ(text, "0, 0, 0, 1");
}
