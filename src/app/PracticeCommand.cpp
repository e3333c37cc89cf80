// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PracticeCommand.h"

#include <QCoreApplication>
#include <QRandomGenerator>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("onomatologia", text);
}

} // namespace

PracticeOptions::PracticeOptions()
    : practice(QStringLiteral("practice"),
               tr("Open the window with a fresh practice set of compounds of <classes>, "
                  "comma-separated Greek words (όλα for every class); with --export-set or "
                  "--worksheet, write the set or its worksheet instead."),
               tr("classes")),
      count(QStringLiteral("count"),
            tr("How many compounds a practice set has, 2 to 20 "
               "(default 12)."),
            tr("N")),
      seed(QStringLiteral("seed"),
           tr("Start the practice's random sequence at <S>: the same seed gives the same sets."),
           tr("S")),
      answers(QStringLiteral("answers"),
              tr("With --worksheet, add a second page with each formula and its name.")) {}

void PracticeOptions::addTo(QCommandLineParser& parser) const {
    for (const QCommandLineOption* o : {&practice, &count, &seed, &answers})
        parser.addOption(*o);
}

PracticeAsked practiceAsked(const QCommandLineParser& parser, const PracticeOptions& options) {
    PracticeAsked asked;
    if (!parser.isSet(options.practice)) {
        if (parser.isSet(options.count) || parser.isSet(options.seed))
            asked.problem = QStringLiteral(u"τα --count και --seed ισχύουν μόνο με --practice");
        return asked;
    }
    const auto classes =
        chemistry::practice::readClasses(parser.value(options.practice).toStdString());
    if (!classes.ok()) {
        asked.problem = QString::fromStdString(classes.problem);
        return asked;
    }
    int count = content::DefaultPracticeCount;
    if (parser.isSet(options.count)) {
        bool number = false;
        count = parser.value(options.count).toInt(&number);
        if (!number || count < 2 || count > 20) {
            asked.problem = QStringLiteral(u"το --count θέλει έναν αριθμό από 2 έως 20, όχι «%1»")
                                .arg(parser.value(options.count));
            return asked;
        }
    }
    quint64 seed = QRandomGenerator::system()->generate64();
    if (parser.isSet(options.seed)) {
        bool number = false;
        seed = parser.value(options.seed).toULongLong(&number);
        if (!number) {
            asked.problem = QStringLiteral(u"το --seed θέλει έναν θετικό ακέραιο, όχι «%1»")
                                .arg(parser.value(options.seed));
            return asked;
        }
    }
    asked.sets = std::make_shared<content::PracticeSets>(classes.classes, seed, count);
    return asked;
}

bool keepsWindow(std::string_view argument) {
    for (const std::string_view option : {"--practice", "--count", "--seed"})
        if (argument == option ||
            (argument.starts_with(option) && argument.substr(option.size()).starts_with("=")))
            return true;
    return false;
}
