#pragma once

#include <QString>

namespace vendara {

// What the main window takes from the settings file at start (full load) and
// after the options dialog (partial load: date form only).
struct LoadedSettings
{
    bool eraDates = false;           // [Date] Date != 0
    QString defaultDatePattern;      // "GGEE/MM/DD" or "YYYY/MM/DD"
    // Full load only:
    QString nextSlipCode = QStringLiteral("00000000");
    double taxRate = 5;
    int rounding = 0;
    double annualRate = 0;
    QString startFolder;
    int acquisitionRatio = 90;
    double correctionX = 0;
    double correctionY = 0;
};

// The six values of the basic settings page.
struct BasicSettings
{
    int dateForm = 0; // 0 western, 1 era
    double standardTaxRate = 5;
    int rounding = 0;
    double acquisitionTaxRate = 5;
    double acquisitionRatio = 90;
    double creditRate = 0;

    bool operator==(const BasicSettings &) const = default;
};

// The settings file. Every read goes to the file, every write touches one key
// and saves at once, so several processes can share the file.
class Settings
{
public:
    explicit Settings(const QString &path) : m_path(path) {}

    const QString &path() const { return m_path; }

    LoadedSettings load(bool full) const;

    BasicSettings loadBasic() const;
    // True when any value differs from the file, compared in the page's order.
    bool isChanged(const BasicSettings &values) const;
    void saveBasic(const BasicSettings &values) const;

    int nextSlipNumber() const;
    void setNextSlipNumber(int number) const;
    QString startFolder() const;
    void setStartFolder(const QString &folder) const;
    // Where the last PDF was written ([Init] PdfDir).
    QString pdfFolder() const;
    void setPdfFolder(const QString &folder) const;
    double correctionX() const;
    double correctionY() const;
    void setCorrections(double x, double y) const;
    double acquisitionTaxRate() const;

    static QString formatSlipCode(int number);

private:
    QString m_path;
};

} // namespace vendara
