#pragma once
// Pickers of a font family (with a mark for outline and device fonts) and of
// a font size, on the skinned combo box.

#include "skin/combo_box.h"
#include "skin/pickers/font_catalog.h"
#include "skin/pickers/font_folder_watcher.h"

#include <QLineEdit>
#include <QPointer>

#include <memory>
#include <vector>

/// The combo styles the font boxes take: typing allowed or a fixed list.
enum class TFontDrawComboStyle : std::uint8_t { csDropDown = 0, csSimple = 1, csDropDownList = 2 };
enum class TFontDevice : std::uint8_t { fdScreen = 0, fdPrinter = 1, fdBoth = 2 };
/// Bit i of a TFontListOptions set is option i.
enum TFontListOption : std::uint8_t {
    foAnsiOnly = 1u << 0,
    foTrueTypeOnly = 1u << 1,
    foFixedPitchOnly = 1u << 2,
    foNoOEMFonts = 1u << 3,
    foOEMFontsOnly = 1u << 4,
    foScalableOnly = 1u << 5,
    foNoSymbolFonts = 1u << 6,
};
using TFontListOptions = std::uint8_t;

/// The type word each font item carries.
inline constexpr int kFontTypeRaster = 1;
inline constexpr int kFontTypeDevice = 2;
inline constexpr int kFontTypeTrueType = 4;
inline constexpr int kFontTypeNotSymbol = 0x100;

/// Whether a family passes the options.
bool FontPassesOptions(const FontFamilyInfo& font, TFontListOptions options);
/// The type word of a family: TrueType for an outline font, raster otherwise,
/// plus "not symbol" for a family with ordinary letters.
int FontTypeWord(const FontFamilyInfo& font);
/// Point sizes of bitmap faces of those em heights at `ppi`: px x 72 / ppi,
/// rounded to the nearest (ties to even), ascending, each once.
std::vector<int> RasterPointSizes(const std::vector<int>& pixelSizes, double ppi);
/// The sizes offered for any outline font.
const std::vector<int>& TrueTypeSizes();

class TskFontDrawComboBox : public TskCustomComboBox {
    Q_OBJECT
public:
    explicit TskFontDrawComboBox(QWidget* parent = nullptr);
    TFontDrawComboStyle Style() const { return m_style; }
    /// A drop-down list (no typing) or an editable box.
    void SetStyle(TFontDrawComboStyle style);
    /// The font's height + 1, at least 9.
    virtual int MinItemHeight() const;

protected:
    void changeEvent(QEvent* event) override;
    void ResetItemHeight();

private:
    TFontDrawComboStyle m_style = TFontDrawComboStyle::csDropDownList;
    QPointer<QLineEdit> m_hookedEdit;  // the edit whose typing selects items
};

class TskFontComboBox : public TskFontDrawComboBox {
    Q_OBJECT
public:
    /// GUI thread. Lists the catalog's families (the system's when null) and
    /// lists them again whenever the font database changes; with the system's
    /// catalog it also watches the font folders for fonts installed meanwhile.
    explicit TskFontComboBox(QWidget* parent = nullptr, std::shared_ptr<const FontCatalog> catalog = nullptr);

    TFontDevice Device() const { return m_device; }
    /// Stores, lists again (printers list nothing: the families are the screen's).
    void SetDevice(TFontDevice device);
    TFontListOptions Options() const { return m_options; }
    /// Stores, lists again.
    void SetOptions(TFontListOptions options);
    bool UseFonts() const { return m_useFonts; }
    /// Draws each name in its own font (not for symbol fonts); repaints.
    void SetUseFonts(bool on);
    QString FontName() const { return currentText(); }
    /// Selects the family of that name in any letter case; without one a
    /// fixed list selects nothing and an editable box shows the name.
    /// OnChange in every case unless the name is already shown.
    void SetFontName(const QString& name);
    /// Lists again keeping the chosen name; OnChange once when the name is lost.
    void Reset();
    /// The larger of the text height and the TrueType mark's height - 1.
    int MinItemHeight() const override;
    void SetCatalog(std::shared_ptr<const FontCatalog> catalog);

    /// Paints item `index` into r: background, mark (outline or device font),
    /// then the name, in the family itself when UseFonts allows.
    void DrawItem(QPainter& canvas, const QRect& r, int index, bool selected) const;
    /// Item `index` drawn alone into a white image of that size.
    QImage ItemImage(int index, QSize size, bool selected) const;

    const QImage& TrueTypeMark() const { return m_trueTypeMark; }
    const QImage& DeviceMark() const { return m_deviceMark; }

protected:
    virtual void PopulateList();
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<const FontCatalog> m_catalog;
    QImage m_trueTypeMark;
    QImage m_deviceMark;
    TFontDevice m_device = TFontDevice::fdScreen;
    TFontListOptions m_options = 0;
    bool m_useFonts = false;
    bool m_updating = false;
    std::unique_ptr<FontFolderWatcher> m_folders;  // only over the system's catalog
};

class TskFontSizeComboBox : public TskCustomComboBox {
    Q_OBJECT
public:
    explicit TskFontSizeComboBox(QWidget* parent = nullptr, std::shared_ptr<const FontCatalog> catalog = nullptr);
    QString FontName() const { return m_fontName; }
    /// Lists the sizes of that family, keeps the chosen size when listed,
    /// then raises OnChange once.
    void SetFontName(const QString& name);
    /// Screen resolution used for bitmap sizes (0: the screen's, read at each listing).
    void SetPixelsPerInch(double ppi) { m_ppi = ppi; }
    /// The chosen size; 0 when none.
    int FontSize() const { return currentText().toInt(); }
    void SetFontSize(int size);

private:
    void Rebuild(const QString& name);

    std::shared_ptr<const FontCatalog> m_catalog;
    QString m_fontName;
    double m_ppi = 0;
};
