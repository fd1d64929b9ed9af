#include "skin/themes.h"

#include <QPointer>
#include <QWidget>

#include <vector>

const SkinFormFrame* FindSkinFormFrame(const QWidget* owner)
{
    if (!owner)
        return nullptr;
    const QWidget* form = owner->window();
    for (const QObject* child : form->children()) {
        if (const auto* frame = dynamic_cast<const SkinFormFrame*>(child))
            return frame;
    }
    return nullptr;
}

TskUIStyle GetSkinFormStyle(const QWidget* owner)
{
    const SkinFormFrame* frame = FindSkinFormFrame(owner);
    return frame ? frame->FrameUIStyle() : TskUIStyle::Navy;
}

TColor GetSkinFormColor(const QWidget* owner)
{
    const SkinFormFrame* frame = FindSkinFormFrame(owner);
    return frame ? frame->FrameColor() : clBtnFace;
}

TColor GetBorderColor(const QWidget* owner)
{
    const SkinFormFrame* frame = FindSkinFormFrame(owner);
    return frame ? GetThemeColor(frame->FrameUIStyle(), 8) : 0;
}

bool ThemeColorsApply(TskUIStyle style) { return IsBuiltInStyle(style); }

namespace {

// The children are listed first and guarded: a hook may create or delete
// widgets while the list is walked.
template <typename Fn>
void ForEachHookedChild(QWidget* container, Fn fn)
{
    if (!container)
        return;
    std::vector<QPointer<QObject>> children;
    for (QObject* child : container->children())
        children.emplace_back(child);
    for (const QPointer<QObject>& child : children) {
        if (auto* hooks = dynamic_cast<SkinStyleHooks*>(child.data()))
            fn(*hooks);
    }
}

}  // namespace

void ContainerApplyUIStyle(QWidget* container, TskUIStyle style)
{
    ForEachHookedChild(container, [style](SkinStyleHooks& h) { h.ApplyContainerStyle(style); });
}

void SubContainerApplyUIStyle(QWidget* container, TskUIStyle style)
{
    ForEachHookedChild(container, [style](SkinStyleHooks& h) { h.ApplySubContainerStyle(style); });
}
