<!DOCTYPE html>
<html>
<head>
  <title><?php echo $title; ?></title>
  <script language="JavaScript">
    var total = 0; // script text stays with the page's colours until a script highlighter exists
  </script>
  <STYLE type="text/css">body { color: #333; }</STYLE>
</head>
<body class="<?= $theme ?>">
<?php
/* a comment that opens inside PHP
   and runs over lines ?> still comment */
$items = array('a' => 1, "b" => 2);
foreach ($items as $key => $value) {
    echo "<li>$key: $value</li>";
}
?>
<p>Text &amp; more <?php if ($x) { ?>shown<?php } ?> after</p>
<a href="page.php?id=<?php echo $id ?>&amp;x=1">link</a>
<? short_tag(); ?><??> empty section
<% server side %> and <%= value %>
text <?php echo 1; ?> more
</body>
</html>
