#pragma once
// The text window "Text": lines typed into a memo become laser paths in a
// chosen installed font, one path per character, previewed at 256 x 256 and
// on OK added to the Draw window's drawing as the new selection, one undo step.
//
// The glyph outlines come from FreeType on the GUI thread; tests may give it
// another outline source and answer the font chooser in place of the dialog.

#include "editor/text_layout.h"

#include <QFont>
#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QLabel;
class TskButton;
class TskCheckBox;
class TskForm;
class TskMemo;
class TskTrackBar;
class WindowRegistry;

/// Asks the operator for a font, starting from the current one; nothing when cancelled.
using FontChooser = std::function<std::optional<QFont>(QWidget* parent, const QFont& current)>;

/// GUI thread only.
class TForm6 : public QWidget {
    Q_OBJECT
public:
    /// Created once at start-up, hidden. The font is "Arial", 8 points.
    explicit TForm6(WindowRegistry& windows);
    ~TForm6() override;

    TskMemo* skMemo1() const { return m_skMemo1; }
    TskTrackBar* TrackBar1() const { return m_trackBar1; }
    TskTrackBar* TrackBar2() const { return m_trackBar2; }
    TskTrackBar* skTrackBar1() const { return m_skTrackBar1; }
    TskTrackBar* skTrackBar2() const { return m_skTrackBar2; }
    TskTrackBar* skTrackBar3() const { return m_skTrackBar3; }
    TskCheckBox* skCheckBox1() const { return m_skCheckBox1; }
    QLabel* Label6() const { return m_label6; }
    QLabel* Label7() const { return m_label7; }
    QLabel* Label18() const { return m_label18; }
    QLabel* Image1() const { return m_image1; }
    TskButton* BitBtn1() const { return m_bitBtn1; }
    TskButton* BitBtn2() const { return m_bitBtn2; }
    TskButton* BitBtn3() const { return m_bitBtn3; }
    TskButton* BitBtn4() const { return m_bitBtn4; }
    const QImage& PreviewBitmap() const { return m_previewBitmap; }
    const Drawing& TextPaths() const { return m_textPaths; }
    const TextFactors& Factors() const { return m_factors; }

    /// The font text is drawn in (FontDialog1's font).
    const QFont& Font() const { return m_font; }
    void SetFont(const QFont& font);
    /// The font as the outline source sees it (pixel size at 96 dots per inch).
    FontChoice FontChoiceOf() const;
    /// The font with the family of the face it stands for (shown, and offered by "Font").
    QFont FontInUse() const;
    QLabel* FontLabel() const { return m_fontLabel; }
    /// Replaces the font dialog (tests answer without a modal window).
    void SetFontChooser(FontChooser chooser);
    /// Replaces the outline source.
    void SetGlyphSource(std::unique_ptr<GlyphOutlineSource> source);

    /// "Font": the chosen font is used from the next conversion on.
    void sktempBitBtn1Click();
    /// "Preview".
    void sktempBitBtn2Click() { PreviewText(); }
    /// "OK": adds the text's paths to the Draw window as the selection and closes.
    void sktempBitBtn3Click();
    /// "Cancel".
    void sktempBitBtn4Click();
    /// Rebuilds TextPaths from the memo and draws them.
    void PreviewText();

    /// The factor bars (TrackBar2, skTrackBar1..3, TrackBar1): the factor and its
    /// labels follow the bar, then the auto preview.
    void sktempTrackBar2Change() { FactorChanged(); }
    void skTrackBar1Change() { FactorChanged(); }
    void skTrackBar2Change() { FactorChanged(); }
    void skTrackBar3Change() { FactorChanged(); }
    void sktempTrackBar1Change() { FactorChanged(); }
    /// "Auto  preview" toggled, and the memo's text changed.
    void skCheckBox1Click() { AutoPreview(); }
    void skMemo1Change() { AutoPreview(); }

private:
    void BuildControls();
    /// Common body of the five bar handlers: every factor is read back from its bar.
    void FactorChanged();
    /// PreviewText when "Auto  preview" is checked.
    void AutoPreview();
    /// Rebuilds TextPaths; false (nothing built) when no face has the reference glyph.
    bool RebuildTextPaths();
    void CloseAndRefresh();

    WindowRegistry& m_windows;
    std::unique_ptr<GlyphOutlineSource> m_glyphs;
    FontChooser m_fontChooser;
    QFont m_font;
    TextFactors m_factors;
    Drawing m_textPaths;
    QImage m_previewBitmap;
    // Children, owned by Qt's parent chain.
    TskForm* m_skForm1 = nullptr;
    TskMemo* m_skMemo1 = nullptr;
    TskTrackBar* m_trackBar1 = nullptr;
    TskTrackBar* m_trackBar2 = nullptr;
    TskTrackBar* m_skTrackBar1 = nullptr;
    TskTrackBar* m_skTrackBar2 = nullptr;
    TskTrackBar* m_skTrackBar3 = nullptr;
    TskCheckBox* m_skCheckBox1 = nullptr;
    QLabel* m_label4 = nullptr;
    QLabel* m_label6 = nullptr;
    QLabel* m_label7 = nullptr;
    QLabel* m_label9 = nullptr;
    QLabel* m_label10 = nullptr;
    QLabel* m_label18 = nullptr;
    QLabel* m_label19 = nullptr;
    QLabel* m_label25 = nullptr;
    QLabel* m_fontLabel = nullptr;
    QLabel* m_image1 = nullptr;
    TskButton* m_bitBtn1 = nullptr;
    TskButton* m_bitBtn2 = nullptr;
    TskButton* m_bitBtn3 = nullptr;
    TskButton* m_bitBtn4 = nullptr;
};
