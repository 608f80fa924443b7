#include "barcode.h"

#include <zint.h>

#include <algorithm>
#include <memory>

namespace {

// Code 128 wants ten modules of white on each side for a scanner to find the symbol's ends.
constexpr int QuietModules = 10;

using Symbol = std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)>;

} // namespace

std::optional<Code128> encodeCode128(const QString& text) {
    const Symbol symbol(ZBarcode_Create(), &ZBarcode_Delete);
    if (!symbol)
        return std::nullopt;
    symbol->symbology = BARCODE_CODE128;
    symbol->input_mode = UNICODE_MODE;
    symbol->show_hrt = 0;
    symbol->whitespace_width = QuietModules;
    const QByteArray data = text.toUtf8();
    const int result = ZBarcode_Encode_and_Buffer_Vector(
        symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()), int(data.size()),
        0);
    if (result >= ZINT_ERROR || !symbol->vector || symbol->width <= 0)
        return std::nullopt;
    Code128 code;
    code.modules = symbol->width + 2 * QuietModules;
    // The vector is drawn at its own scale: so many units to a module, so tall.
    const double unit = symbol->vector->width / code.modules;
    const double height = symbol->vector->height;
    for (const zint_vector_rect* bar = symbol->vector->rectangles; bar; bar = bar->next)
        code.bars.append(
            QRectF(bar->x / unit, bar->y / height, bar->width / unit, bar->height / height));
    return code;
}

PageBarcode placeBarcode(const Code128& code, const QRectF& box, double moduleWidth) {
    const double module = std::min(moduleWidth, box.width() / code.modules);
    const double width = module * code.modules;
    PageBarcode placed;
    placed.rect = QRectF(box.center().x() - width / 2, box.top(), width, box.height());
    for (const QRectF& bar : code.bars)
        placed.bars.append(QRectF(placed.rect.left() + bar.x() * module,
                                  box.top() + bar.y() * box.height(), bar.width() * module,
                                  bar.height() * box.height()));
    return placed;
}
