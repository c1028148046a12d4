#include "core/search/tileforms.h"

#include "core/app/messages.h"
#include "core/rom/tilecodec.h"

#include <QStringList>

#include <algorithm>

namespace {

constexpr int kSide = 8;

TilePixels transformed(const TilePixels& stored, const TileForm& form) {
    TilePixels pixels{};
    for (int y = 0; y < kSide; ++y) {
        const int fromY = form.upsideDown ? kSide - 1 - y : y;
        for (int x = 0; x < kSide; ++x) {
            const int fromX = form.mirroredLeftRight ? kSide - 1 - x : x;
            pixels[size_t(kSide * y + x)] = form.values[stored[size_t(kSide * fromY + fromX)] & 3u];
        }
    }
    return pixels;
}

QString orientationName(const TileForm& form) {
    if (form.mirroredLeftRight && form.upsideDown) return msg::kMirroredBoth;
    if (form.mirroredLeftRight) return msg::kMirroredLeftRight;
    return form.upsideDown ? msg::kUpsideDown : QString();
}

// Only the values the tile uses are named: a renumbering of the others changes no byte.
QString valuesName(const TileForm& form, const std::array<bool, 4>& used) {
    QStringList from;
    QStringList to;
    bool changed = false;
    for (quint8 v = 0; v < 4; ++v) {
        if (!used[v]) continue;
        from << QString::number(v);
        to << QString::number(form.values[v]);
        changed |= form.values[v] != v;
    }
    return changed ? msg::renumbered(from.join(u' '), to.join(u' ')) : QString();
}

QString formName(const TileForm& form, const std::array<bool, 4>& used) {
    QStringList parts{orientationName(form), valuesName(form, used)};
    parts.removeAll(QString());
    return parts.join(QStringLiteral(", "));
}

} // namespace

std::vector<TileForm> tileForms(const TilePixels& pixels, SearchKind kind) {
    std::array<bool, 4> used{};
    for (const quint8 p : pixels)
        used[p & 3u] = true;
    std::vector<TileForm> forms;
    // The plain orientation first, and the values in their own order first, so that a form
    // reached in several ways is named by the simplest.
    for (int orientation = 0; orientation < 4; ++orientation) {
        TileForm form;
        form.mirroredLeftRight = (orientation & 1) != 0;
        form.upsideDown = (orientation & 2) != 0;
        do {
            form.bytes = encodeTile(transformed(pixels, form));
            const bool known = std::any_of(forms.begin(), forms.end(), [&](const TileForm& f) {
                return f.bytes == form.bytes;
            });
            if (known) continue;
            form.name = formName(form, used);
            forms.push_back(form);
        } while (kind == SearchKind::SamePicture &&
                 std::next_permutation(form.values.begin(), form.values.end()));
        if (kind == SearchKind::Stored) break;
    }
    return forms;
}

std::optional<quint8> singleValue(const TilePixels& pixels) {
    const bool plain =
        std::all_of(pixels.begin(), pixels.end(), [&](quint8 p) { return p == pixels[0]; });
    return plain ? std::optional<quint8>(pixels[0]) : std::nullopt;
}
