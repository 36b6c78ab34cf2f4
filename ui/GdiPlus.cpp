#include "GdiPlus.h"

#include <vector>

namespace ui {

GdiPlusSession::GdiPlusSession()
{
    Gdiplus::GdiplusStartupInput input;
    status_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr);
}

GdiPlusSession::~GdiPlusSession()
{
    if (status_ == Gdiplus::Ok)
        Gdiplus::GdiplusShutdown(token_);
}

GdiPlusSession& GdiPlusSession::Instance()
{
    static GdiPlusSession session;
    return session;
}

std::optional<CLSID> FindImageEncoder(std::wstring_view mimeType)
{
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || count == 0)
        return std::nullopt;
    // The codec records and the texts they point to share one block.
    std::vector<std::uint8_t> block(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(block.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok)
        return std::nullopt;
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType && mimeType == codecs[i].MimeType)
            return codecs[i].Clsid;
    }
    return std::nullopt;
}

std::wstring WideFromAnsi(std::string_view text)
{
    if (text.empty())
        return {};
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

} // namespace ui
