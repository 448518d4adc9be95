#pragma once
#include <functional>
#include <memory>
#include <string>

class QPainter;
class QRect;

// A picture held in memory that can draw itself at any size.
class TGraphic {
public:
    virtual ~TGraphic() = default;
    // Natural size in pixels.
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    bool Empty() const { return Width() <= 0 || Height() <= 0; }
    // Draws the picture scaled into dest. Throws an Exception when the data cannot be decoded;
    // what could be decoded before the damage may already have been drawn.
    virtual void Draw(QPainter& painter, const QRect& dest) = 0;
    // Draws a quick stand-in for the picture into dest when one is at hand and Draw would have work
    // to do; false, having drawn nothing, otherwise.
    virtual bool DrawDraft(QPainter&, const QRect&) { return false; }
};

// The picture holder of an image control: picks the graphic class by file extension.
class TPicture {
public:
    // "jpg" and "jpeg" (any letter case) load as JPEG; anything else raises EInvalidGraphic.
    // On failure the picture keeps what it had.
    void LoadFromFile(const std::string& fileName);
    int Width() const;
    int Height() const;
    TGraphic* Graphic() const { return FGraphic.get(); }
    const std::shared_ptr<TGraphic>& SharedGraphic() const { return FGraphic; }
    void Assign(std::shared_ptr<TGraphic> graphic);
    // Fired after the picture changed.
    std::function<void()> OnChange;

private:
    std::shared_ptr<TGraphic> FGraphic;
};
