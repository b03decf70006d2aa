#include "framework/qt/GroupBoxFrame.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QGroupBox>
#include <QImageReader>
#include <QLibraryInfo>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QVersionNumber>

#include <algorithm>

namespace framework::qt {
namespace {

const QString kFusion = QStringLiteral("fusion");
const QString kFrameImage =
    QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");

// Fusion 6.4's frame: the image stretched between its 6-pixel corners, 3
// pixels below the box's top when the box has neither title nor check box,
// and below the taller of the two otherwise.
constexpr int kSpaceAboveFrame = 3;
constexpr QMargins kImageCorners(6, 6, 6, 6);

class FrameFromImageStyle final : public QProxyStyle {
public:
    FrameFromImageStyle() : QProxyStyle(QStyleFactory::create(kFusion)) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_FrameGroupBox || !frameRead()) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        int top = kSpaceAboveFrame;
        const auto* box = qobject_cast<const QGroupBox*>(widget);
        if (box == nullptr || box->isCheckable() || !box->title().isEmpty()) {
            top += std::max(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                            option->fontMetrics.height());
        }
        qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), kImageCorners, frame_);
    }

private:
    // Read when a frame is first painted, as Fusion reads it, so that
    // building a window costs no more than before. Without the image, Fusion
    // paints the frame itself.
    bool frameRead() const {
        if (!triedReading_) {
            triedReading_ = true;
            QImageReader reader(kFrameImage, "png");
            reader.setAutoDetectImageFormat(false);  // the PNG reader alone, no plugin
            frame_ = QPixmap::fromImage(reader.read());
        }
        return !frame_.isNull();
    }

    mutable bool triedReading_ = false;
    mutable QPixmap frame_;
};

// Made when the first group box is built, and kept for the process's life:
// a widget does not own the style it is given.
QStyle* frameFromImageStyle() {
    static QStyle* const style = []() -> QStyle* {
        const QVersionNumber release = QLibraryInfo::version();
        if (QApplication::style()->name() != kFusion || release.majorVersion() != 6 ||
            release.minorVersion() != 4) {
            return nullptr;
        }
        return new FrameFromImageStyle;
    }();
    return style;
}

}  // namespace

void drawFrameWithoutImagePlugins(QGroupBox& box) {
    if (QStyle* style = frameFromImageStyle()) {
        box.setStyle(style);
    }
}

}  // namespace framework::qt
