// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one mapping from the program's twips to Qt's device-independent pixels.
// 15 twips make a pixel at 100 %; `fit` shrinks everything uniformly when the
// screen's available area is smaller than the exercise window.

#include <QFont>
#include <QRect>
#include <QSize>
#include <cmath>

class TwipScale {
public:
    static constexpr double TwipsPerPixel = 15.0;

    explicit TwipScale(double fit = 1.0) : fit_(fit) {}

    double fit() const { return fit_; }
    double pixelsPerTwip() const { return fit_ / TwipsPerPixel; }

    int px(double twips) const { return int(std::lround(twips * pixelsPerTwip())); }
    double twips(double pixels) const { return pixels / pixelsPerTwip(); }
    QSize size(double widthTwips, double heightTwips) const {
        return {px(widthTwips), px(heightTwips)};
    }
    // Position and size are rounded independently so that controls of one size
    // always get the same pixel size (and share one cached picture).
    QRect rect(double left, double top, double width, double height) const {
        return {px(left), px(top), px(width), px(height)};
    }
    // A font size in points (20 twips each) as pixels at this scale.
    int fontPixels(double points) const { return std::max(1, px(points * 20.0)); }
    QFont font(QFont base, double points) const {
        base.setPixelSize(fontPixels(points));
        return base;
    }

    // The uniform factor that lets a window of `needed` pixels (frame included)
    // fit into `available`; never above 1: a larger screen changes nothing.
    static double fitFor(QSize available, QSize needed) {
        if (needed.isEmpty() || available.isEmpty())
            return 1.0;
        const double fx = double(available.width()) / needed.width();
        const double fy = double(available.height()) / needed.height();
        return std::min(1.0, std::min(fx, fy));
    }

private:
    double fit_;
};
