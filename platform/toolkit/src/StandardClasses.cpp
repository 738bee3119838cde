// The toolkit's classes that a description may name although no code of the program mentions them. Naming each
// class's information here makes the linker keep its code and its registration of published properties.
#include "StandardClasses.h"

#include <toolkit/Bitmap.h>
#include <toolkit/Button.h>
#include <toolkit/CheckBox.h>
#include <toolkit/ComboBox.h>
#include <toolkit/Edit.h>
#include <toolkit/Form.h>
#include <toolkit/Frame.h>
#include <toolkit/GroupBox.h>
#include <toolkit/Image.h>
#include <toolkit/Label.h>
#include <toolkit/PageControl.h>
#include <toolkit/Panel.h>
#include <toolkit/Picture.h>
#include <toolkit/ProgressBar.h>
#include <toolkit/ScrollBox.h>
#include <toolkit/SpinEdit.h>
#include <toolkit/TabSheet.h>
#include <toolkit/Timer.h>

namespace toolkit_detail {

void LinkStandardClasses() {
    static const TClassInfo* const classes[] = {
        TButton::ClassInfo(),    TCheckBox::ClassInfo(),    TComboBox::ClassInfo(), TEdit::ClassInfo(),
        TForm::ClassInfo(),      TFrame::ClassInfo(),       TGroupBox::ClassInfo(), TImage::ClassInfo(),
        TLabel::ClassInfo(),     TPageControl::ClassInfo(), TPanel::ClassInfo(),    TProgressBar::ClassInfo(),
        TScrollBox::ClassInfo(), TSpinEdit::ClassInfo(),    TTabSheet::ClassInfo(), TTimer::ClassInfo(),
        TBitmap::ClassInfo(),    TPicture::ClassInfo(),
    };
    (void)classes;
}

}  // namespace toolkit_detail
