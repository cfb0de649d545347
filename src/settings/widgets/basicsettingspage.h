#pragma once

#include "settings/settings.h"

#include "common/fileversion.h"

#include <QWidget>

class QComboBox;

namespace vendara {

class FloatEdit;

// The options page "基本設定": the defaults a new slip starts from (tax rate,
// rounding, annual rate), the acquisition-tax defaults and the date display
// form, edited against the settings. Reads the file when it is built.
class BasicSettingsPage : public QWidget
{
    Q_OBJECT

public:
    explicit BasicSettingsPage(Settings &settings, QWidget *parent = nullptr);

    // Reads the settings file again and fills the controls (its defaults for
    // missing keys).
    void load();
    // True when any of the six values differs from the file.
    bool isChanged() const;
    // Writes the six values to the settings file.
    // Another desk's basic values written since load() are refused
    // (FileChangedError) unless overwrite is Force.
    void save(Overwrite overwrite = Overwrite::IfUnchanged);

    BasicSettings values() const;
    void setValues(const BasicSettings &values);

    FloatEdit *taxRateEdit() const { return m_taxRate; }
    QComboBox *roundingBox() const { return m_rounding; }
    FloatEdit *acquisitionTaxRateEdit() const { return m_acquisitionTaxRate; }
    FloatEdit *acquisitionRatioEdit() const { return m_acquisitionRatio; }
    FloatEdit *creditRateEdit() const { return m_creditRate; }
    QComboBox *dateFormBox() const { return m_dateForm; }

private:
    Settings &m_settings;
    FloatEdit *m_taxRate = nullptr;
    QComboBox *m_rounding = nullptr;
    FloatEdit *m_acquisitionTaxRate = nullptr;
    FloatEdit *m_acquisitionRatio = nullptr;
    FloatEdit *m_creditRate = nullptr;
    QComboBox *m_dateForm = nullptr;
};

} // namespace vendara
