/*
 * Mail footer builder.
 * Keeps the old template text as it was. */
$html = "<p class=\"note\">
  Reply to \"support\" or call
  us</p>";  # closed two lines up, so this is code again
/* one-line block */ $x = 1; /*/ still a comment
until here */ $y = 2;
// a line comment with /* that opens nothing
$path = "C:\\temp\\";
$quote = 'don\'t';
$mixed = "tab\there" . 'no \n here';
$footer = 'Kind regards,
the team';
$sig = "first line
a \\" is no escape here";
$again = 'over
Velmora\'s office'; echo $again;
# done
