#pragma once
// The two pages of the quick help: item 0 is the page title, odd items are headings, even
// items from 2 on are body texts.

#include <array>

namespace quickhelp {

inline constexpr std::array<const char*, 10> kMainPage = {
    "Quillaran QUICK HELP",
    "Learning about Quillaran",
    "The first time Quillaran is started it comes in a LEARNING mode. Clicking on the toolbar "
    "buttons produces an explanation of the functionality of the button and nothing else. You "
    "can turn off the LEARNING mode and start work by clicking at the amber button at the "
    "bottom of this page. When you leave the LEARNING mode the button turns green giving you "
    "the go ahead to use the program. You can always switch back to the LEARNING mode through "
    "the Quick Help and the Learning button. Quillaran remembers whether the LEARNING mode is "
    "on between sessions.",
    "Getting Started",
    "Click the OPEN (directory) button or select Open from the the Directory menu. Either action "
    "will give a directory tree. After you select a directory there, Quillaran will load all "
    "the pictures in that directoty and display them as thumbnail sketches. (Quillaran "
    "reads JPEG, PNG, GIF and BMP pictures, paletted ones included, and HEIC, AVIF, WebP and "
    "TIFF; the web help tells which pictures cannot be read.) When you move the mouse over the thumbnail sketches, the file "
    "name, size, caption (if any) and date of the file are shown at the bottom of the window.",
    "Manipulating the Pictures",
    "If you do NOT want to add captions or correct the dates or manupulate the pictures in any "
    "way, click the WEB PAGE button on the toolbar and Quillaran will create the web page for "
    "you. (See the Wrapping Up Section below.) Otherwise, click with the mouse on a thumbnail "
    "sketch you want to modify. This action SELECTS the picture. You can use the toolbar "
    "buttons to operate on the selected picture but there are also other ways that can be used "
    "even when you are in the Learning mode. If you click with the right button a dialog box "
    "pops up and you can enter a caption and/or date. If you double click with the left mouse "
    "button a full size version of the picture pops up. (Clicking only once with the left "
    "button simply selects.). If you wish you can use the mouse to drag a rectangle on the full "
    "size version to specify an area to be used for the thumb sketch (instead of the full "
    "picture). After you finish with the rectangle, type T on the keybord or select \"Crop for "
    "Thumb\" from the popup menu to affect the change.",
    "Wrapping Up",
    "If you have manipulated the pictures click the SAVE RECRD button on the toolbar. This saves "
    "captions, dates, and cropping rectangles. If you are ready click the WEB PAGE button on the "
    "toolbar. To publish on the web, upload the \"pix_index.htm\" file and the two directories "
    "\"Thumbs\" and \"Large\".",
    "For more information go to the Quillaran web site help page",
};

inline constexpr std::array<const char*, 3> kDragDropPage = {
    "Quillaran QUICK HELP",
    "Dragging andf Dropping Thumb sketches",
    "You can drag a Thumb sketch by holding the left mouse button down and drop it in another "
    "part of the screen by releasing the button. During the operation the icon of the cursor "
    "changes to one with the letters PIX and a frame to remind you that are dragging a picture. "
    "If you do the drop action over another Thumb sketch (the \"target\"), the dragged Thumb "
    "sketch is placed after the drop target. If you drop on an empty space marks the "
    "corresponding picture is marked for omission when the web page is constructed. You can "
    "cancel the omission by selecting that picture again.",
};

// The page link's text on each page, and the item under which it stands.
inline constexpr std::array<const char*, 2> kPageLinkText = {"Dragging and dropping Thumb sketches",
                                                             "Main Page of Quick Help"};
inline constexpr std::array<int, 2> kPageLinkAnchor = {6, 2};

}  // namespace quickhelp
