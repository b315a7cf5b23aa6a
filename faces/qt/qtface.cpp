// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtface.h"

#include "accessibility.h"
#include "fonts.h"
#include "forcedclose.h"
#include "forms/form.h"
#include "formwindow.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QStyle>
#include <QStyleFactory>
#include <cstdio>

namespace qtface {

void prepareApplication()
{
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(style); // the application takes ownership
        QApplication::setPalette(style->standardPalette());
    }
    loadFaces();
    QApplication::setFont(fontFor(forms::Default::Font));
    accessibility::install();
}

std::string decimalSeparator(const QLocale &locale)
{
    const QString separator = locale.decimalPoint();
    const QFontMetrics metrics(fontFor(forms::Default::Font));
    for (const char32_t character : separator.toUcs4())
        if (!metrics.inFontUcs4(character))
            return ",";
    return separator.toStdString();
}

namespace {

// Enough for the report's message box at four times the density, with its text laid out.
constexpr std::size_t ReportReserveBytes = 16 * 1024 * 1024;

} // namespace

QtFace::QtFace()
    : m_reportReserve(std::make_unique_for_overwrite<std::byte[]>(ReportReserveBytes))
    , m_forcedCloseWatch(std::make_unique<ForcedCloseWatch>())
{ }

QtFace::~QtFace() = default;

std::unique_ptr<forms::WindowView> QtFace::createView(forms::Form &form)
{
    return std::make_unique<WindowViewAdapter>(form);
}

void QtFace::showReport(const forms::RuntimeError &error)
{
    m_reportReserve.reset(); // the program ends after the report: no need to keep it back
    const QString description =
        QString::fromUtf8(error.description().data(), qsizetype(error.description().size()));
    const QString advice =
        QString::fromUtf8(forms::ReportAdvice.data(), qsizetype(forms::ReportAdvice.size()));
    const QByteArray line =
        (QCoreApplication::applicationName() + u": " + description + u' ' + advice + u'\n')
            .toLocal8Bit();
    std::fputs(line.constData(), stderr);
    std::fflush(stderr);
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(),
                    description + u"\n\n" + advice, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void QtFace::programEnded(int exitStatus)
{
    QCoreApplication::exit(exitStatus);
}

QWidget *windowOf(const forms::Form &form)
{
    const auto *view = dynamic_cast<const WindowViewAdapter *>(&form.view());
    return view ? view->window() : nullptr;
}

QWidget *widgetOf(const forms::WidgetControl &control)
{
    auto *window = static_cast<FormWindow *>(windowOf(control.form()));
    return window ? window->widgetOf(control) : nullptr;
}

} // namespace qtface
