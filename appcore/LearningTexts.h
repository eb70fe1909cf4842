#pragma once
// What the toolbar commands say of themselves in learning mode, and the welcome screen's hint.

namespace learning {

inline constexpr const char* kDirectory =
    "Display a Directory Tree Dialogue box where you can select a directory. Then the program "
    "looks at all the pictures in the directory, constructs their thumb sketches and displays "
    "them. (There are some rare types of pictures that Quillaran rejects. Click the HELP button "
    "for more on that.)";
inline constexpr const char* kCaption =
    "Display a dialogue box where you can enter the caption and date of the selected "
    "picture.--- There are two more ways to get the dialogue box: (1) by clicking the right "
    "mouse button on a Thumb sketch or by just typing 'C';( 2)If the captions are already "
    "displayed, you can just clickthe left mouse button on the caption.";
inline constexpr const char* kFullSize =
    "Show the full size version of the Selected Thumb sketch. --- You can also cause the full "
    "size version to appear by double clicking the left mouse button on a Thumb sketch.  The "
    "full size window has an Operations menu that lets you perform some of the operations of "
    "the Toolbar. Once you have the full size image displayed, you can draw a rectangle there "
    "with the mouse and use it to specify an area for the Thumb sketch (by typing 'T') or to "
    "crop the original (by typing 'O'). The latter option is recommended only for experienced "
    "users.";
inline constexpr const char* kWebPage =
    "Create the web page for this set of pictures. Pictures are in two directories: Thumbs and "
    "Large and the index file name is pix_index.htm  (in case ther is another index.htm in the "
    "directory). To publish on the web upload the index file, Thumbs, and Large. (If you have "
    "specified single date or single caption for the collection of pictures, a caption "
    "dialogue box will appear first where you can supply that information.)";
inline constexpr const char* kAssumeImages =
    "Create the web page for this set of pictures assumingall images have been prepared (good "
    "for checking captions, layout, etc.)";
inline constexpr const char* kSaveRecord =
    "This saves parameter values, captions, dates, order of display, cropping rectangles, etc "
    "in a file called Quillaran.txt that is read the next time you work in the same directory.";
// The record opens in the desktop's text editor, not in Notepad.
inline constexpr const char* kEditRecord =
    "Use a text editor to Edit the parameter values, captions, dates, order of display, "
    "cropping rectangles record that is in the file Quillaran.txt. NOT FOR BEGINNERS!";
inline constexpr const char* kOptions =
    "Displays a Dialogue box where you can specify parameter values and select amongst options";

}  // namespace learning
