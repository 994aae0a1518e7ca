#include "output/printgeometry.h"

#include "imagelib/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tessora {
namespace {

constexpr int kMinPercent = 1;
constexpr int kMaxPercent = 100;

int limitPercent(double value) {
    // The spin field takes the truncated value and keeps it within its range.
    const double truncated = std::trunc(value);
    if (!(truncated >= kMinPercent)) return kMinPercent;  // also catches NaN
    return truncated > kMaxPercent ? kMaxPercent : static_cast<int>(truncated);
}

int mulDiv(int a, int b, int c) {
    return static_cast<int>(static_cast<std::int64_t>(a) * b / c);
}

// The size of the chart in an area of areaW x areaH with the options' size rules.
QSize chartSize(int areaW, int areaH, int chartW, int chartH, const PrintOptions& options) {
    if (!options.useFullPage) {
        return QSize(roundedProportion(areaW, options.widthPercent, 100),
                     roundedProportion(areaH, options.heightPercent, 100));
    }
    int w = areaW;
    int h = areaH;
    if (options.keepAspect) {
        const int t = mulDiv(chartH, w, chartW);
        if (t > areaH) {
            w = mulDiv(chartW, h, chartH);
        } else {
            h = t;
        }
    }
    return QSize(w, h);
}

QPoint chartOrigin(QPoint areaOrigin, int areaW, int areaH, QSize size, bool centred) {
    if (!centred) return areaOrigin;
    return areaOrigin + QPoint((areaW - size.width()) / 2, (areaH - size.height()) / 2);
}

}  // namespace

QRect PrintedChartRect(int pageW, int pageH, int chartW, int chartH, const PrintOptions& options) {
    if (chartW <= 0 || chartH <= 0 || pageW <= 0 || pageH <= 0) return QRect();
    const QSize size = chartSize(pageW, pageH, chartW, chartH, options);
    return QRect(chartOrigin(QPoint(0, 0), pageW, pageH, size, options.centred), size);
}

PreviewGeometry PreviewLayout(int box, int pageW, int pageH, int chartW, int chartH,
                              const PrintOptions& options) {
    if (pageW <= 0 || pageH <= 0) return {};
    int pw;
    int ph;
    if (pageH < pageW) {
        pw = box;
        ph = mulDiv(pageH, pw, pageW);
    } else {
        ph = box;
        pw = mulDiv(pageW, ph, pageH);
    }
    const QPoint origin((box - pw) / 2, (box - ph) / 2);
    PreviewGeometry geometry{QRect(origin, QSize(pw, ph)), QRect()};
    if (chartW <= 0 || chartH <= 0) return geometry;
    const QSize size = chartSize(pw, ph, chartW, chartH, options);
    geometry.chart = QRect(chartOrigin(origin, pw, ph, size, options.centred), size);
    return geometry;
}

CoupledPercentages CoupleHeightToWidth(int widthPercent, int pageW, int pageH, int chartW,
                                       int chartH) {
    const double x = double(std::int64_t(chartH) * widthPercent) / chartW * pageW / pageH;
    CoupledPercentages result{limitPercent(x), std::nullopt};
    if (x > kMaxPercent || x < kMinPercent) {
        result.width =
            limitPercent(double(std::int64_t(chartW) * result.height) / chartH * pageH / pageW);
    }
    return result;
}

CoupledWidth CoupleWidthToHeight(int heightPercent, int pageW, int pageH, int chartW, int chartH) {
    const double x = double(std::int64_t(chartW) * heightPercent) / chartH * pageH / pageW;
    CoupledWidth result{limitPercent(x), std::nullopt};
    if (x > kMaxPercent || x < kMinPercent) {
        result.height =
            limitPercent(double(std::int64_t(chartH) * result.width) / chartW * pageW / pageH);
    }
    return result;
}

}  // namespace tessora
