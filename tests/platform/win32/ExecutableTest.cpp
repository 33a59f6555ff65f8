// The shipped executable carries its icon, manifest and version record.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Executable, CarriesIconManifestAndVersionRecord) {
  HMODULE exe = LoadLibraryExA(ZARVO_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr) << ZARVO_EXE;
  HRSRC found = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(found, nullptr);
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(exe, found))), SizeofResource(exe, found));
  EXPECT_NE(manifest.find("name=\"Zarvo\" version=\"1.0.0.0\" processorArchitecture=\"X86\""), std::string::npos);
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  for (int size : {16, 32, 48}) {  // icon group 101
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
  std::vector<char> version(GetFileVersionInfoSizeA(ZARVO_EXE, &ignored));
  ASSERT_TRUE(!version.empty() && GetFileVersionInfoA(ZARVO_EXE, 0, version.size(), version.data()));
  auto value = [&](const char* path) {
    void* at = nullptr;
    UINT length = 0;
    return VerQueryValueA(version.data(), path, &at, &length) ? at : nullptr;
  };
  const auto* fixed = static_cast<VS_FIXEDFILEINFO*>(value("\\"));
  ASSERT_NE(fixed, nullptr);
  EXPECT_TRUE(fixed->dwFileVersionMS == 0 && fixed->dwFileVersionLS == 1 && fixed->dwProductVersionLS == 1);
  EXPECT_STREQ(static_cast<const char*>(value("\\StringFileInfo\\040904b0\\ProductName")), "Zarvo");
  EXPECT_STREQ(static_cast<const char*>(value("\\StringFileInfo\\040904b0\\FileVersion")), "0, 0, 0, 1");
}
