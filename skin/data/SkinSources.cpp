#include "skin/data/SkinSources.h"

#include "platform/Host.h"

namespace {

TsSkinSource FromConvertor(std::unique_ptr<TveSkinConvertor> convertor, std::string folder) {
  convertor->SourceStream.reset();
  std::string options = convertor->OptionsData.value_or("");
  return {std::move(options), std::move(convertor), std::move(folder)};
}

}  // namespace

TsSkinSource PackedFileSource(const std::string& fileName, const std::string& folder) {
  auto convertor = std::make_unique<TveSkinConvertor>();
  convertor->SourceStream = platform::CurrentHost().ReadFile(fileName);
  ReadPackedSkin(convertor);
  return FromConvertor(std::move(convertor), folder);
}

TsSkinSource PackedDataSource(std::string_view data) {
  auto convertor = std::make_unique<TveSkinConvertor>();
  convertor->SourceStream = std::string(data);
  ReadPackedSkin(convertor);
  return FromConvertor(std::move(convertor), "");
}

TsSkinSource FolderSource(const std::string& folder) {
  std::string options = platform::CurrentHost().ReadFile(folder + std::string(kOptionsFileName));
  return {std::move(options), nullptr, folder};
}
