#include "live/jpeg_conversion.h"

#include <windows.h>
#include <wincodec.h>

#include <string>

namespace zd {

namespace {

// Owns one COM interface pointer.
template <typename T>
class Com {
 public:
  Com() = default;
  ~Com() {
    if (p_) p_->Release();
  }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  T* operator->() const { return p_; }
  T* get() const { return p_; }
  T** out() { return &p_; }

 private:
  T* p_ = nullptr;
};

// COM for the length of one conversion, on whatever thread paints.
class ComSession {
 public:
  ComSession() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComSession() {
    // S_FALSE too: COM was already initialised here, and each success takes its own uninitialise.
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComSession(const ComSession&) = delete;
  ComSession& operator=(const ComSession&) = delete;

 private:
  HRESULT result_;
};

// The program's paths are Windows-1252; WIC takes wide names.
std::wstring Wide(std::string_view path) {
  const std::string text(path);
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  wide.resize(static_cast<std::size_t>(length - 1));
  return wide;
}

}  // namespace

bool ConvertJpegToBitmapFile(std::string_view jpeg, std::string_view bitmap) {
  const std::wstring source = Wide(jpeg);
  const std::wstring target = Wide(bitmap);
  if (source.empty() || target.empty()) return false;

  ComSession com;
  Com<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, reinterpret_cast<void**>(factory.out()))))
    return false;

  Com<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFilename(source.c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.out())))
    return false;
  GUID container = {};
  if (FAILED(decoder->GetContainerFormat(&container)) || container != GUID_ContainerFormatJpeg)
    return false;
  Com<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.out()))) return false;
  Com<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(converter.out())) ||
      FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat24bppBGR,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return false;
  UINT width = 0, height = 0;
  if (FAILED(converter->GetSize(&width, &height))) return false;

  Com<IWICStream> stream;
  if (FAILED(factory->CreateStream(stream.out())) ||
      FAILED(stream->InitializeFromFilename(target.c_str(), GENERIC_WRITE)))
    return false;
  Com<IWICBitmapEncoder> encoder;
  if (FAILED(factory->CreateEncoder(GUID_ContainerFormatBmp, nullptr, encoder.out())) ||
      FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)))
    return false;
  Com<IWICBitmapFrameEncode> output;
  Com<IPropertyBag2> options;
  if (FAILED(encoder->CreateNewFrame(output.out(), options.out())) ||
      FAILED(output->Initialize(options.get())) || FAILED(output->SetSize(width, height)))
    return false;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (FAILED(output->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR) return false;
  return SUCCEEDED(output->WriteSource(converter.get(), nullptr)) && SUCCEEDED(output->Commit()) &&
         SUCCEEDED(encoder->Commit());
}

}  // namespace zd
