#include "app/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <fstream>

#include "texts/translation.h"

namespace velk::app {

bool storedLanguageIsEnglish(const std::filesystem::path& folder) {
    std::ifstream in(folder / LANGUAGE_FILE_NAME);
    std::string line;
    if (in && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == "en") return true;
        if (line == "ja") return false;
    }
    return QLocale::system().language() != QLocale::Japanese;
}

bool storeLanguage(const std::filesystem::path& folder, bool english) {
    std::ofstream out(folder / LANGUAGE_FILE_NAME, std::ios::binary | std::ios::trunc);
    out << (english ? "en" : "ja") << '\n';
    out.flush();
    return static_cast<bool>(out);
}

Language::Language() {
    // Under share/ where the program is installed, else where the build compiled them.
    const QString dir = QCoreApplication::applicationDirPath();
    const QStringList places = {
        dir + QStringLiteral("/../../share/velk-tsuitate/translations"),
        QStringLiteral(VELK_QM_BUILD_DIR),
    };
    for (const QString& place : places)
        if (english_qm_.load(QStringLiteral("velk_en"), place)) {
            loaded_ = true;
            break;
        }
    qtJapaneseLoaded_ = qtJapanese_.load(QStringLiteral("qtbase_ja"),
                                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (qtJapaneseLoaded_) QCoreApplication::installTranslator(&qtJapanese_);
    patterns_ = texts::patternsOf(texts::readTs(texts::englishTs()));
}

Language::~Language() {
    QCoreApplication::removeTranslator(&english_qm_);
    QCoreApplication::removeTranslator(&qtJapanese_);
}

void Language::setEnglish(bool english) {
    english_ = english && loaded_;
    QCoreApplication::removeTranslator(&english_qm_);
    QCoreApplication::removeTranslator(&qtJapanese_);
    if (english_)
        QCoreApplication::installTranslator(&english_qm_);
    else if (qtJapaneseLoaded_)
        QCoreApplication::installTranslator(&qtJapanese_);
}

QString Language::text(const char* context, const char* source) {
    return QCoreApplication::translate(context, source);
}

std::string Language::box(const std::string& text) const {
    if (!english_) return text;
    static const std::vector<std::string> contexts = {"match", "record", "record_file", "file"};
    const texts::Lookup lookup = [this](std::string_view context,
                                        std::string_view source) -> std::optional<std::string> {
        const std::string c(context), s(source);
        const QString t = english_qm_.translate(c.c_str(), s.c_str());
        if (t.isNull()) return std::nullopt;
        return t.toStdString();
    };
    return texts::translateComposed(text, contexts, patterns_, lookup);
}

QString Language::englishOf(const char* context, const QString& source) const {
    const QByteArray s = source.toUtf8();
    const QString t = english_qm_.translate(context, s.constData());
    return t.isNull() ? source : t;
}

}  // namespace velk::app
