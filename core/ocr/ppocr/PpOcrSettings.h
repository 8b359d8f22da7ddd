#pragma once

#include <array>
#include <cstddef>

// Every setting of the PP-OCR pipeline in one place. Names in snake_case are PaddleOCR's own
// parameter names (tools/infer/utility.py and the post-processing classes), so PaddleOCR's
// documentation explains them; the camelCase ones have no PaddleOCR counterpart. The values were
// tuned on rendered homework photos and screenshots (tests/data holds five of them, with their
// true text in truth.json): change one only with bench/ocr's figures before and after.
namespace PpOcrSettings {

// ---- Detection (DB: differentiable binarisation) ----

// Longer side of the detection input (det_limit_type "max": photos are only ever shrunk). Above
// this the boxes stay the same and detection time grows quickly (83 / 130 / 208 ms at 960 /
// 1280 / 1600 on the large photo); at 1280 screenshots are read at native size and spaces move.
inline constexpr int det_limit_side_len = 960;

// The detection network halves its input five times before upsampling back, so each side of
// its input must be a multiple of 32 for the output map to line up with the input.
inline constexpr int detectionStride = 32;

// Per-channel RGB mean and standard deviation of ImageNet, on pixels scaled to 0..1: the
// backbone was pretrained on ImageNet and expects its input normalised that way.
inline constexpr float imagenet_mean[3] = {0.485f, 0.456f, 0.406f};
inline constexpr float imagenet_std[3] = {0.229f, 0.224f, 0.225f};

// A map pixel with a higher text probability belongs to a text kernel. PaddleOCR's default;
// every line of the test images came out as exactly one box with it.
inline constexpr float det_db_thresh = 0.3f;

// Mean probability inside a kernel's outline below which the region is taken for noise (smudges,
// ruled lines, paper texture).
inline constexpr double det_db_box_thresh = 0.6;

// The network marks a shrunk text kernel; it is grown back by area * ratio / perimeter on every
// side. 1.5 gives crops with a little margin around the ink, which the space restoration below
// is measured against (its thresholds are fractions of the crop height and move with this).
inline constexpr double det_db_unclip_ratio = 1.5;

// At most this many regions of the map are examined: bounds the time a page of noise can take;
// a homework list has a few dozen lines.
inline constexpr std::size_t max_candidates = 1000;

// Kernels whose shorter side is under this many map pixels are too thin to hold a line.
inline constexpr float min_size = 3.0f;

// The grown box must be at least this thick (PaddleOCR's "min_size + 2", checked after growing):
// it drops kernels that barely grew. With the ratio above every kernel that passed min_size
// also passes this; it only matters if the unclip ratio is lowered below about 1.34.
inline constexpr float minUnclippedSize = min_size + 2;

// Border added around an image whose text may touch its edge (EdgePadding): wide enough for a
// line box to grow by the unclip ratio on every side of a line up to about 40 px tall.
inline constexpr int edgeMargin = 32;
// Images this short, or more than stripAspect times as wide as tall, are one-line strips and
// always get the border.
inline constexpr int stripHeight = 64;
inline constexpr double stripAspect = 8.0;
// Other images small enough for the detection input get it when more than edgeInkShare of
// their outermost pixels differ from the edge's median brightness by more than edgeInkContrast
// (of 255): ink crossing the edge, not paper texture or JPEG noise.
inline constexpr int edgeInkContrast = 80;
inline constexpr double edgeInkShare = 0.002;

// ---- Ruled paper (this project's own) ----

// Measured in the detection input (at most det_limit_side_len pixels). A ruling is a run of pixels
// darker than the paper within rulingPaperReach pixels (the brightest there) by more than
// rulingContrast (of 255), straight along a row or a column for at least rulingLengthShare of the
// image's longer side (and rulingShortest pixels), and on average no thicker than
// rulingThicknessShare of that side (and rulingThinnest pixels). A grid's lines are one to three
// pixels thick and run the page; a character's longest stroke is a fraction of that length and
// several times thicker for its length.
inline constexpr int rulingPaperReach = 11;
inline constexpr double rulingContrast = 25.0;
inline constexpr double rulingLengthShare = 1.0 / 16;
inline constexpr int rulingShortest = 40;
inline constexpr double rulingThicknessShare = 1.0 / 400;
inline constexpr double rulingThinnest = 3.0;
// A photographed page is tilted and curved: the ink is thickened this many pixels across a
// line before its straight run is looked for.
inline constexpr int rulingSlack = 3;
// A line is painted over with the brightest pixel within this many pixels across it: wider
// than a line with its antialiased rim, narrower than the paper between two strokes.
inline constexpr int rulingCloseSpan = 7;
// Only a grid is painted over: at least this many lines each way (a margin line and its
// pieces are fewer; a 方格 page has ten columns or more).
inline constexpr int rulingGridLines = 6;

// On a grid page, a box this many times taller than wide is a column of cells across rows.
inline constexpr double columnAspect = 1.8;
// On a grid page, two characters stand a space apart when their centres are this many cell
// pitches apart (the median distance between neighbouring Han characters' centres): an empty
// cell between them. Characters written in neighbouring cells are not, however wide the
// paper between their inks.
inline constexpr double gridSpacePitches = 1.6;

// ---- Small marks before a line (this project's own) ----

// A line's box is drawn on at its start by this share of its height before the line is cut out:
// a bullet, an opening bracket or a list number stands a small gap before the text, and the
// detection network leaves it out of the box. Half a height reaches a bullet set a space apart
// and stays short of a neighbouring column.
inline constexpr double leadingReach = 0.5;

// ---- Lines cut in two (this project's own) ----

// Two read boxes are pieces of one line when their slants differ by at most this many degrees,
// their heights by at most this ratio, their centres lie within this share of their height of
// one line, and the second starts at most pieceJoinGap heights after the first ends (or overlaps
// it). The network itself cuts a line only at a gap of about a line's height or more (a wide
// space, or two columns), which stays a cut.
inline constexpr double pieceSlantTolerance = 5.0;
inline constexpr double pieceHeightRatio = 1.5;
inline constexpr double pieceBandShare = 0.3;
inline constexpr double pieceJoinGap = 0.5;
// Where the boxes overlap, up to this many characters at the end of the first piece that the
// second starts with were read twice.
inline constexpr int seamCharacters = 3;

// ---- Second views of an image (this project's own) ----

// When the first reading finds nothing, the image is read again turned by the median slant of
// the lines detected, when it is steeper than this many degrees; a slight slant is the crop's
// business (LineCrop straightens each line).
inline constexpr double turnAbove = 10.0;
// Lines thicker than this in the detection input are characters larger than the network was
// trained on: it finds single strokes of them, or nothing. The image is then also read framed
// in a border as wide as itself, and the reading with more surely read text stays.
inline constexpr double thickestDetectableLine = 160.0;

// ---- Direction classification ----

// Input of the direction network: channels, height, width. Strips are scaled to height 48 and
// cut or padded to width 192, the shape the network was trained on.
inline constexpr std::array<int, 3> cls_image_shape = {3, 48, 192};

// Strips per run: all the lines of a typical homework photo in one or two runs.
inline constexpr std::size_t cls_batch_num = 16;

// A strip is turned by 180 degrees only when the network says so with more than this
// probability: a wrong turn ruins a line, a missed one only happens on rare upside-down text.
inline constexpr float cls_thresh = 0.9f;

// Only strips read with less mean character confidence than this are shown to the direction
// network (which loads at the first such strip): upside-down text reads as a string of unsure
// characters, upright print and handwriting well above it.
inline constexpr float directionCheckBelow = 0.9f;

// ---- Recognition (CRNN with CTC) ----

// Input of the recognition network: channels, height, minimum width. Strips are scaled to
// height 48 keeping their proportions and padded to at least 320 wide, as the network was
// trained; a wider strip keeps its width.
inline constexpr std::array<int, 3> rec_image_shape = {3, 48, 320};

// Bounds the memory one absurdly long strip can take; a homework line is far shorter.
inline constexpr int maximumRecognitionWidth = 4800;

// Strips per recognition run (PaddleOCR's default).
inline constexpr std::size_t rec_batch_num = 6;

// A batch is padded to its widest strip, and padding costs as much as text (the network mixes
// the whole width): only strips at most this much wider than the batch's narrowest share it.
// Batching lines of any width doubled the recognition time on screenshots.
inline constexpr double batchWidthSpread = 1.25;

// A line whose least sure character has less probability than rereadBelowProbability, or with
// a time step whose best class has less than rereadBelowStep, is read a second time stretched
// horizontally by rereadStretch. Thin glyphs then span more time steps, so two 1s no longer
// merge into one and an unsure mark (； or ：, a full stop) is looked at again. The stretched
// reading stays when its mean character probability is higher, or when it only adds characters
// to the first reading, each with at least foundCharacterProbability. On rendered homework
// lists about one line in six is read twice; a larger stretch distorts Han characters.
inline constexpr float rereadBelowProbability = 0.7f;
inline constexpr float rereadBelowStep = 0.6f;
inline constexpr double rereadStretch = 1.5;
inline constexpr float foundCharacterProbability = 0.35f;

// Lines read with less mean character confidence than this are dropped: smudges, ruled lines
// and texture come out as a few unsure characters, real text well above it.
inline constexpr float drop_score = 0.5f;

// ---- Restoring spaces (this project's own; PaddleOCR has no such step) ----
// Gaps are compared with the line's median gap, and with the em (the width most of the line's
// Han characters fill, or the height of its ink without them): a word space is about a quarter
// em in any font and at any size, whatever share of the strip height the crop's margins leave
// to the letters. Measured on the tuning and hard images, this halved the spaces lost or put in
// against thresholds in strip heights, which missed the spaces of tightly set print.

// The line's median gap between characters never counts as narrower than this share of the
// strip height.
inline constexpr double medianGapFloor = 0.05;
// The median is taken over the gaps outside Latin words (whose letters stand wider apart than
// Han characters and digits) when the line has at least this many of them, else over all.
inline constexpr std::size_t minimumSpacingPairs = 3;
// A gap alone makes a space when it is this many times the line's median gap...
inline constexpr double wideGapFactor = 2.3;
// ...and at least this share of the em.
inline constexpr double wideGapShare = 0.28;
// Between two Han characters on a line with no more than minimumHanPairs pairs of Han
// characters side by side ("6.9作业"), which does not show their spacing, from this share.
inline constexpr std::size_t minimumHanPairs = 2;
inline constexpr double loneHanGapShare = 0.4;
// A narrower gap makes a space when the network gave the space class at least this probability
// between the two characters...
inline constexpr float hintedSpaceProbability = 0.02f;
// ...and the gap is this many times the median and at least this share of the em. The factor
// keeps out handwriting, whose gaps are all wide and where the network sees spaces everywhere.
inline constexpr double hintedGapFactor = 1.8;
inline constexpr double hintedGapShare = 0.2;
// Between two digits, a gap this many times the median gap between the line's other pairs of
// neighbouring digits, and at least this share of the em, separates two numbers: digits of one
// number stand at a spacing of their own, tighter than the line's.
inline constexpr double digitGapFactor = 3.0;
inline constexpr double digitGapShare = 0.22;
// Gaps are measured between character cells, not between inks: a Han character's cell is the
// em (the width most Han characters of the line fill), a digit's the width most digits fill.
// Without digits to measure, a digit cell is this share of the em (ASCII digits in CJK fonts
// advance about half an em).
inline constexpr double digitCellShare = 0.5;
// A character's ink is looked for this many cell widths either side of its centre, so that a
// neighbour's ink is not taken for its own.
inline constexpr double cellReach = 0.6;
// Between two Latin letters, a gap is a word space when it exceeds the line's median gap
// between letters of a word by latinSpaceShare of the line's Latin advance (median distance
// between neighbouring letters' or digits' centres, measured when the line has at least
// minimumLatinPairs such pairs): the room between letters differs with their shapes (straight
// stems such as i, l and t get more), a word space adds its own to it. Between two digits, a gap
// wider than numberSpaceShare of that advance and latinGapFactor times the line's median gap.
inline constexpr double latinSpaceShare = 0.2;
inline constexpr double numberSpaceShare = 0.45;
inline constexpr double latinGapFactor = 1.4;
inline constexpr std::size_t minimumLatinPairs = 4;
// A row whose ink runs unbroken for more than this many strip heights is a ruled line or an
// underline: no letter is that wide.
inline constexpr double ruledRunLength = 2.0;
// Blots of ink smaller than the square of this share of the strip height are noise of a dim or
// compressed photo, not a letter's dot, and do not close a gap.
inline constexpr double inkSpeckShare = 0.06;

// ---- Language prior (this project's own) ----

// The decoder keeps this many other readings of every character, the language prior's choice.
inline constexpr std::size_t alternativesKept = 4;
// Only a Han character read with less probability than this is chosen again: one read surely
// is kept whatever its neighbours.
inline constexpr float priorUnsureBelow = 0.9f;
// A reading the network gave less than this is no candidate: among thousands of classes, some
// faint one always pairs well with a neighbour.
inline constexpr float priorLeastReading = 0.02f;
// Natural-log units of network probability that one step of pair strength (a doubling of how
// often two characters stand side by side in words) is worth against it.
inline constexpr double priorWeight = 0.25;
// A reading that beats every other by this much (natural log: twenty times as likely, network
// and words together) with words to show for it is settled: it gets confirmedProbability, so
// that it is not marked for checking. On the public sets the unsure characters that the words
// settle (诵 after 背) were right.
inline constexpr double priorSettledMargin = 3.0;
inline constexpr float confirmedProbability = 0.9f;

// ---- Look-alike marks and words (this project's own) ----

// The dots a bullet opening a line is read as; the first is the bullet lists use.
inline constexpr std::array<const char16_t *, 4> bulletDots = {u"·", u".", u"。", u"•"};

// A digit whose runner-up is a letter or a mark is settled from this probability on
// (LookAlikes::settleDigits); below it the glyph itself was unclear.
inline constexpr float digitSettledAbove = 0.5f;

// A line's subject colon stands within this many characters of its start ("12.道德与法治：").
inline constexpr std::size_t subjectColonReach = 8;
// A later colon becomes a semicolon when the network gave "；" at least this probability as
// its runner-up; clear colons ("如下：") have a runner-up far below it.
inline constexpr float semicolonRunnerUp = 0.1f;
// Where the clause after the colon opens a task (below), "；" as the runner-up with this much is
// enough: a colon does not introduce a second task on the same line, a semicolon separates
// them. Clear colons, the subject's included, have "；" as runner-up at 0.0005 to 0.003.
inline constexpr float taskSemicolonRunnerUp = 0.02f;
// The verbs homework tasks open with. A task opens with one of them, a subject name or a page
// reference (p12); a colon in front of one separates two tasks, while one that introduces
// (注意：, 如下：) is followed by other words.
inline constexpr std::array<const char16_t *, 28> taskVerbs = {
    u"完成", u"背诵", u"背", u"预习", u"复习", u"抄写", u"抄",   u"默写", u"听写", u"朗读",
    u"熟读", u"阅读", u"读", u"写",   u"做",   u"练习", u"整理", u"订正", u"改错", u"听",
    u"看",   u"准备", u"带", u"签字", u"记",   u"画",   u"查",   u"口算"};

// Textbook section words, which English textbooks print capitalised and followed by their
// number or letter ("Unit 4", "Part A"). The network drops the space before the number and,
// where it is unsure of a letter, the capital.
inline constexpr std::array<const char *, 6> textbookWords = {"unit", "module",  "lesson",
                                                              "part", "section", "page"};
// A textbook word inside a task keeps the case it was read in when the network gave its first
// letter at least this probability. Printed lower case reads at 0.996 and above; handwritten
// capitals misread as lower case came at 0.93 to 0.94, with the capital as runner-up.
inline constexpr float surelyCased = 0.99f;

// ---- Threads ----

// Threads each network runs an operator on: the machine's cores, at most intraOpThreadCap.
// The cap: ONNX Runtime wakes every thread for every operator, and the strips of a homework
// photo give each operator little work, so beyond a few threads waking them costs more than
// they add, while the threads' scratch memory grows with their number (measured only on two
// cores, where the cap does not bind). Set in OnnxModel.
inline constexpr int intraOpThreadCap = 4;

} // namespace PpOcrSettings
