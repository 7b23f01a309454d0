<html><head>
<script type="text/javascript">
  var html = "<div class=\"x\"></div>"; // a closing tag in a string
  var url = "<?php echo $base; ?>/api?x=1"; /* PHP inside a string
  inside a script */ if (a < b && c > d) { go(); }
</script>
<style>
  /* a comment that
     spans lines */ body { color: #333; }
  p:hover { background: url("<?= $img ?>") }
</style>
</head><body onload="init(<?php echo json_encode($data); ?>)">
<% Response.Write "server " & Now() %>
<?php
  $x = "<script>not a script</script>";
  echo '<style>' . $css . '</style>';
?>
<p>text &amp; more</p>
<!-- an unterminated comment at the end
