#include "render/image_load_win.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "base/image_decode.h"
#include "render/character_tables.h"
#include "render/memory_stream_win.h"
#include "render/sheet_layout.h"
#include "wingui/text_win.h"

namespace quorel {
namespace {

std::wstring ExeFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path);
  return p.substr(0, p.find_last_of(L"\\/"));
}

std::wstring Parent(const std::wstring& folder) { return folder.substr(0, folder.find_last_of(L"\\/")); }

// bin/tests -> bin -> the build folder with gen/art.
std::wstring ProgramFolder() { return Parent(ExeFolder()); }
std::wstring ArtFolder() { return Parent(ProgramFolder()) + L"\\gen\\art"; }

std::string ReadAll(const std::wstring& path) {
  std::ifstream in(wingui::AnsiFromWide(path), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class ImageLoad : public ::testing::Test {
 protected:
  GdiplusSession gdiplus_;
};

TEST(MemoryStream, ReadsSeeksWithinItsBytesAndRefusesWriting) {
  const BYTE bytes[] = {1, 2, 3, 4, 5};
  auto* stream = new IO::Private::MemoryStream(bytes, bytes + 5);
  BYTE buffer[8] = {};
  ULONG read = 0;
  EXPECT_EQ(stream->Read(buffer, 3, &read), S_OK);
  EXPECT_EQ(read, 3u);
  EXPECT_EQ(buffer[2], 3);
  EXPECT_EQ(stream->Read(buffer, 8, &read), S_OK);
  EXPECT_EQ(read, 2u);
  EXPECT_EQ(buffer[1], 5);
  EXPECT_EQ(stream->Read(buffer, 8, &read), S_FALSE);
  EXPECT_EQ(read, 0u);

  LARGE_INTEGER move;
  ULARGE_INTEGER at;
  move.QuadPart = -1;
  EXPECT_EQ(stream->Seek(move, STREAM_SEEK_END, &at), S_OK);
  EXPECT_EQ(at.QuadPart, 4u);
  move.QuadPart = 2;
  EXPECT_EQ(stream->Seek(move, STREAM_SEEK_CUR, &at), STG_E_INVALIDPOINTER);  // past the end
  move.QuadPart = -1;
  EXPECT_EQ(stream->Seek(move, STREAM_SEEK_SET, &at), STG_E_INVALIDPOINTER);
  move.QuadPart = 5;
  EXPECT_EQ(stream->Seek(move, STREAM_SEEK_SET, &at), S_OK);  // the end itself is a place
  EXPECT_EQ(stream->Seek(move, 7, &at), E_INVALIDARG);
  EXPECT_EQ(stream->Write(bytes, 1, nullptr), E_NOTIMPL);
  EXPECT_EQ(stream->Commit(0), E_NOTIMPL);

  IUnknown* unknown = nullptr;
  EXPECT_EQ(stream->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  EXPECT_EQ(static_cast<void*>(unknown), static_cast<void*>(static_cast<IStream*>(stream)));
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(stream->QueryInterface(IID_IDispatch, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(unknown->Release(), 1u);
  EXPECT_EQ(stream->Release(), 0u);  // deletes the stream; the bytes stay
  EXPECT_EQ(bytes[0], 1);
}

TEST_F(ImageLoad, ProgramSheetsDecodeAsTheHostDecoderReadsTheirFiles) {
  ASSERT_TRUE(gdiplus_.ok());
  HMODULE program = LoadLibraryExW((ProgramFolder() + L"\\quorel.exe").c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(program, nullptr);
  struct {
    int id;
    const wchar_t* file;
    int w, h;
  } sheets[] = {{sheet::kIconSheetId, L"\\png310.png", sheet::kIconSheetWidth, sheet::kIconSheetHeight},
                {sheet::kFaceSheetId, L"\\png311.png", sheet::kFaceSheetWidth, sheet::kFaceSheetHeight},
                {chara::kDigitalSheetId, L"\\png312.png", chara::kDigitalSheetWidth, chara::kDigitalSheetHeight},
                {chara::kAnalogSheetId, L"\\png313.png", chara::kAnalogSheetWidth, chara::kAnalogSheetHeight}};
  for (const auto& s : sheets) {
    const Surface from_resource = LoadImageFromResource(program, s.id);
    const Surface from_file = DecodeImage(ReadAll(ArtFolder() + s.file));
    EXPECT_EQ(from_resource.Width(), s.w) << s.id;
    EXPECT_EQ(from_resource.Height(), s.h) << s.id;
    EXPECT_TRUE(from_resource == from_file) << "GDI+ and stb_image differ on PNG " << s.id;
  }
  EXPECT_TRUE(LoadImageFromResource(program, 9999).IsEmpty());
  FreeLibrary(program);
}

TEST_F(ImageLoad, FileWithAJapaneseNameAndFilesThatAreNoPictures) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::string folder = wingui::AnsiFromWide(temp);
  const std::string picture = folder + "\x83\x65\x83\x58\x83\x67.png";  // テスト.png
  ASSERT_TRUE(CopyFileW((ArtFolder() + L"\\png310.png").c_str(), wingui::WideFromAnsi(picture).c_str(), FALSE));
  const Surface s = LoadImageFromFile(picture);
  EXPECT_EQ(s.Width(), sheet::kIconSheetWidth);
  EXPECT_TRUE(s == DecodeImage(ReadAll(ArtFolder() + L"\\png310.png")));
  DeleteFileW(wingui::WideFromAnsi(picture).c_str());

  const std::string junk = folder + "quorel-not-a-picture.png";
  { std::ofstream(junk, std::ios::binary) << "no picture here"; }
  EXPECT_TRUE(LoadImageFromFile(junk).IsEmpty());
  DeleteFileA(junk.c_str());
  EXPECT_TRUE(LoadImageFromFile(folder + "quorel-missing.png").IsEmpty());
  EXPECT_TRUE(DecodeImageWithGdiplus("xx", 2).IsEmpty());
}

TEST_F(ImageLoad, SheetMaskFollowsTheKeyColour) {
  const SpriteSheet sheet = MakeSpriteSheet(DecodeImage(ReadAll(ArtFolder() + L"\\png311.png")));
  ASSERT_TRUE(sheet.IsLoaded());
  // Pixel (0, 0) lies outside every cell: key colour, so white in the mask and black in the image.
  EXPECT_EQ(sheet.mask.At(0, 0), kWhite);
  EXPECT_EQ(sheet.image.At(0, 0), kBlack);
}

}  // namespace
}  // namespace quorel
