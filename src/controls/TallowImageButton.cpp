#include "controls/TallowImageButton.h"

#include <BinaryData.h>

namespace
{
/** The embedded image of that resource name, or an invalid image when none is embedded. */
juce::Image embeddedImage(const std::string& resourceName)
{
    int size = 0;
    const char* data = BinaryData::getNamedResource(resourceName.c_str(), size);
    return data == nullptr ? juce::Image() : juce::ImageCache::getFromMemory(data, size);
}
} // namespace

TallowImageButton::TallowImageButton(const std::string& name, const std::string& imageBaseName,
                                     juce::Button::Listener* listener, bool swapImages)
    : juce::ImageButton(name)
{
    auto normal = embeddedImage(imageBaseName + "_on_png");
    auto down = embeddedImage(imageBaseName + "_off_png");
    if (swapImages)
        std::swap(normal, down);

    const auto none = juce::Colours::transparentWhite;
    setImages(true, false, true, normal, 1.0f, none, normal, 1.0f, none, down, 1.0f, none, 0.0f);

    setWantsKeyboardFocus(false);
    if (listener != nullptr)
        addListener(listener);
    setClickingTogglesState(true);
    setName(name);
}

void TallowImageButton::setHitbox(int x, int y, int width, int height)
{
    hitArea = {x, y, width, height};
}

bool TallowImageButton::hitTest(int x, int y)
{
    if (hitArea.getWidth() > 0)
        return hitArea.contains(x + getX(), y + getY());
    return getLocalBounds().contains(x, y);
}
