#pragma once

#include "masters/postalcodedictionarylist.h"

#include <QWidget>

#include <memory>
#include <optional>

namespace Ui {
class PostalCodeDictionaryPage;
}

namespace vendara {

class Questions;

// The options page "郵便番号辞書": lists the usable postal-code dictionaries,
// installs a comma-separated file as a new one and deletes one.
class PostalCodeDictionaryPage : public QWidget
{
    Q_OBJECT

public:
    // The open dialog's filter: the list's "カンマ区切りテキスト|*.CSV" in
    // Qt's form, lower case too, as file names are case-sensitive here.
    static QString openFilter();

    // dictionaryFolder: Dat/Mst/Zip/ of the data root.
    PostalCodeDictionaryPage(const QString &dictionaryFolder, Questions &questions, QWidget *parent = nullptr);
    ~PostalCodeDictionaryPage() override;

private:
    void addDictionary();
    void removeDictionary();
    void showList(const QString &current = {});
    void reloadQuietly();

    std::unique_ptr<Ui::PostalCodeDictionaryPage> m_ui;
    Questions &m_questions;
    std::optional<PostalCodeDictionaryList> m_list; // none when "ziplist" cannot be read
};

} // namespace vendara
