// A custom keyword file: words from the PHP lists
/* block comment
   over two lines */
function total($items) {
    $sum = 0; # hash comment
    foreach ($items as $item) { $sum += strlen($item) * 1.5; }
    return array_sum([$sum, 0x1F, 42]);
}
echo "string with \"escapes\"", 'single', PHP_EOL;
#define NOT_A_PREPROCESSOR_LINE
/* left open
