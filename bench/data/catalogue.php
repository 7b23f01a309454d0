<?php
/**
 * Product catalogue of the shop: loading, filtering and rendering of the product list.
 * Used only as a realistic sample of PHP source for measuring the editor on large files.
 */
namespace Shop\Catalogue;

use Shop\Database\Connection;
use Shop\Support\Money;

final class ProductRepository
{
    private const DEFAULT_PAGE_SIZE = 25;   // the number of rows one listing page shows

    private Connection $connection;
    private array $cache = [];

    public function __construct(Connection $connection)
    {
        $this->connection = $connection;
    }

    /* Finds the products of a category, most recently added first, one page at a time. */
    public function findByCategory(int $categoryId, int $page = 1, ?int $pageSize = null): array
    {
        $pageSize = $pageSize ?? self::DEFAULT_PAGE_SIZE;
        $key = sprintf('category:%d:%d:%d', $categoryId, $page, $pageSize);
        if (isset($this->cache[$key])) {
            return $this->cache[$key];
        }
        $sql = "SELECT id, name, price_cents, stock FROM products WHERE category_id = ? "
             . "ORDER BY created_at DESC LIMIT ? OFFSET ?";
        $rows = $this->connection->query($sql, [$categoryId, $pageSize, ($page - 1) * $pageSize]);
        $products = array_map(fn (array $row) => Product::fromRow($row), $rows);
        return $this->cache[$key] = $products;
    }

    public function totalValue(array $products): Money
    {
        $total = Money::zero('EUR');
        foreach ($products as $product) {
            if ($product->stock > 0 && !$product->isDiscontinued()) {
                $total = $total->add($product->price->multiply($product->stock));
            }
        }
        return $total;
    }
}

function render_product_row(Product $product, bool $highlight = false): string
{
    $class = $highlight ? 'product product--highlight' : 'product';
    $price = htmlspecialchars($product->price->format('de_DE'), ENT_QUOTES, 'UTF-8');
    return "<tr class=\"{$class}\"><td>{$product->name}</td><td class=\"price\">{$price}</td></tr>\n";
}
?>
<table class="catalogue" summary="Products of the chosen category">
  <?php foreach ($repository->findByCategory($categoryId, $page) as $index => $product): ?>
    <?= render_product_row($product, $index % 2 === 0) ?>
  <?php endforeach; ?>
</table>
<script type="text/javascript">
  document.querySelectorAll('.catalogue .price').forEach(function (cell) {
    cell.title = 'Prices include VAT; shipping is added at the checkout.';
  });
</script>
