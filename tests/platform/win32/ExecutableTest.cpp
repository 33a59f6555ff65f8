// The shipped executable carries its icon, manifest and version record.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Executable, CarriesIconManifestAndVersionRecord) {
  HMODULE exe = LoadLibraryExA(ZARVO_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr) << ZARVO_EXE;
  HRSRC manifestInfo = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(manifestInfo, nullptr);
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(exe, manifestInfo))),
                             SizeofResource(exe, manifestInfo));
  EXPECT_NE(manifest.find("name=\"Zarvo\" version=\"1.0.0.0\" processorArchitecture=\"X86\""), std::string::npos);
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);

  // The icon group 101 holds 16, 32 and 48 pixel pictures.
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
  std::vector<char> version(GetFileVersionInfoSizeA(ZARVO_EXE, &ignored));
  ASSERT_TRUE(!version.empty() && GetFileVersionInfoA(ZARVO_EXE, 0, version.size(), version.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  char* name = nullptr;
  char* fileVersion = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(version.data(), "\\", reinterpret_cast<void**>(&fixed), &length) &&
              VerQueryValueA(version.data(), "\\StringFileInfo\\040904b0\\ProductName",
                             reinterpret_cast<void**>(&name), &length) &&
              VerQueryValueA(version.data(), "\\StringFileInfo\\040904b0\\FileVersion",
                             reinterpret_cast<void**>(&fileVersion), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0u);
  EXPECT_EQ(fixed->dwFileVersionLS, 1u);
  EXPECT_EQ(fixed->dwProductVersionLS, 1u);
  EXPECT_STREQ(name, "Zarvo");
  EXPECT_STREQ(fileVersion, "0, 0, 0, 1");
}
