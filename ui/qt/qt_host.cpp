// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/qt_host.h"

#include <cmath>
#include <iostream>

#include <QAbstractButton>
#include <QFontMetricsF>
#include <QIcon>
#include <QMessageBox>
#include <QWidget>

#include "ui/qt/fonts.h"
#include "ui/qt/twips.h"

namespace tilebash::ui::qt {

TextExtent QtHost::measureText(const std::string& text, const Font& font) const {
    QFontMetricsF metrics(toQFont(font));
    QSizeF size = metrics.size(0, QString::fromStdString(text));
    // Whole pixels, so that an auto-sized label is exactly as wide as its
    // widget and the caption is never clipped by a rounding.
    return {toTwips(std::ceil(size.width())), toTwips(std::ceil(size.height()))};
}

void QtHost::showMessage(const std::string& text, const std::string& title) {
    if (beforeMessage_) {
        beforeMessage_();
    }
    showBox(text, title);
}

void QtHost::reportError(const std::string& text, const std::string& title,
                         const std::string& line) const {
    std::cerr << (line.empty() ? text : line) << std::endl;
    showBox(text, title);
}

void QtHost::showBox(const std::string& text, const std::string& title) const {
    QWidget* parent =
        dialogParent_ != nullptr && dialogParent_->isVisible() ? dialogParent_ : nullptr;
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    // Only the word OK, whatever the platform theme likes to put on buttons.
    if (QAbstractButton* ok = box.button(QMessageBox::Ok)) {
        ok->setIcon(QIcon());
    }
    box.exec();
}

}  // namespace tilebash::ui::qt
