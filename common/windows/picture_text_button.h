#pragma once
// A push button that shows a picture beside its caption.
#include "common/windows/unit.h"

class PictureTextButton : public Unit {
public:
    PictureTextButton(Container& parent, const Text& name, const Rect& r, const Text& caption,
                      const Bytes& picture = "");
    Text caption() const override;
    void setCaption(const Text& caption) override;
    const Bytes& picture() const { return picture_; }
    void setPicture(const Bytes& picture);   // file bytes; "" shows none
    std::function<void()> clicked;

private:
    Bytes picture_;
};
